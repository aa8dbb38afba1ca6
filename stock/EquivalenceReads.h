#pragma once
// A run of conversions, one a row of a grid being loaded: while it lives, their equivalence reads share one
// transaction of the ERP connection. On the embedded database a read that stands alone begins and ends a
// transaction of its own (file locks taken and let go), which costs more than the read; within one they
// are plain statements. Nothing is written in it. A transaction the caller has open already simply goes on
// (the nested one only counts); when none can be begun the reads go on as they would without it.

class EquivalenceReads {
public:
    EquivalenceReads();
    ~EquivalenceReads();
    EquivalenceReads(const EquivalenceReads&) = delete;
    EquivalenceReads& operator=(const EquivalenceReads&) = delete;

private:
    bool begun_ = false;
};
