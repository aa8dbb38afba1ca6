// The legacy sources read raw, as the same-work baselines read them inside their clocks: a dBase table's
// records through the DBF reader, every field of each decoded (the imports select them all), and a
// tab-separated text file read whole and split into lines and fields.
#pragma once

#include "platform/base/Value.h"
#include "platform/db/dbf/DbfTable.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// One pass over the live records of a legacy table.
class DbfRows {
public:
    // The table `name` of the legacy folder `folder`, its file found without regard to case; with `fields`
    // only those fields are decoded, else all of them.
    DbfRows(const std::filesystem::path& folder, const std::string& name, const std::vector<std::string>& fields = {});

    // The next live record, its fields decoded; false after the last.
    bool next();
    // The records left read to the end; how many there were.
    long rest();
    // The decoded value of the `i`th field asked for.
    const base::Value& operator[](std::size_t i) const { return values_[i]; }
    // Where the field `name` (any case) stands among those decoded.
    std::size_t field(const std::string& name) const;

private:
    std::shared_ptr<const db::dbf::DbfTable> table_;
    db::dbf::DbfRecords records_;
    std::vector<std::size_t> decoded_;  // the table's field numbers, in the order asked
    std::vector<base::Value> values_;
};

// A tab-separated text file read whole, its lines (a carriage return before the line feed dropped) split
// into fields, which point into the text read.
struct TextFields {
    explicit TextFields(const std::filesystem::path& file);
    TextFields(const TextFields&) = delete;
    TextFields& operator=(const TextFields&) = delete;

    std::string text;
    std::vector<std::vector<std::string_view>> lines;
};

}  // namespace bench
