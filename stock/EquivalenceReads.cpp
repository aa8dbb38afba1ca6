#include "stock/EquivalenceReads.h"

#include "core/DB_Dll.h"
#include "platform/base/Error.h"

EquivalenceReads::EquivalenceReads()
{
    try {
        gDB_Dll().gCnn.beginTrans();
        begun_ = true;
    } catch (const base::Error&) {
        // Only the reads' speed depended on it.
    }
}

EquivalenceReads::~EquivalenceReads()
{
    if (!begun_) return;
    try {
        gDB_Dll().gCnn.commitTrans();
    } catch (const base::Error&) {
        // Nothing was written in it: a transaction the reads' errors ended leaves nothing to keep.
    }
}
