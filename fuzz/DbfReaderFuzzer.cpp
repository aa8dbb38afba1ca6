// libFuzzer target for the DBF reader: any bytes, as a table alone or with a memo file, must give values
// or a base::Error, never a crash, a hang or undefined behaviour.
//
// Input layout (the seeds that tests/fixtures/make_dbf_fixtures.py writes follow it): byte 0 chooses the
// memo file (0 none, 1 .dbt, 2 .fpt, other values taken modulo 3), bytes 1-4 the table's length
// (little-endian, cut to what is there), then the table, then the memo file.

#include "platform/base/Error.h"
#include "platform/db/dbf/DbfTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5) return 0;
    const int memoKind = data[0] % 3;
    std::size_t tableLength = data[1] | (data[2] << 8) | (data[3] << 16) | (std::size_t{data[4]} << 24);
    const std::string_view rest(reinterpret_cast<const char*>(data + 5), size - 5);
    if (tableLength > rest.size()) tableLength = rest.size();
    const std::string_view table = rest.substr(0, tableLength);
    const std::string_view memo = rest.substr(tableLength);

    try {
        auto dbf = db::dbf::DbfTable::read(
            db::dbf::memoryBytes("fuzz.dbf", table),
            memoKind == 0 ? nullptr : db::dbf::memoryBytes(memoKind == 1 ? "fuzz.dbt" : "fuzz.fpt", memo),
            base::CodePage::Cp850);
        (void)dbf->liveRecordCount();
        for (bool includeDeleted : {false, true}) {
            db::dbf::DbfRecords records(dbf, includeDeleted);
            while (records.next())
                for (std::size_t i = 0; i < dbf->fields().size(); ++i) {
                    try {
                        (void)records.value(i);
                    } catch (const base::Error&) {
                        // An unreadable value is a fine answer; the next one must still read.
                    }
                }
        }
    } catch (const base::Error&) {
        // A table the reader refuses is a fine answer too.
    }
    return 0;
}
