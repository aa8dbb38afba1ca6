// Opening a table by its path: the code page override and the memo file beside the table.

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/dbf/DbfTable.h"
#include "platform/os/PathMapping.h"

#include <cstdlib>
#include <fmt/format.h>

namespace db::dbf {
namespace {

std::optional<base::CodePage> codePageOverride()
{
    const char* name = std::getenv("MIGRA_DBF_CODEPAGE");
    if (!name || !*name) return std::nullopt;
    if (auto page = base::codePageNamed(name)) return page;
    throw base::Error(hresult::kUnspecified,
                      fmt::format("MIGRA_DBF_CODEPAGE=\"{}\" names a code page this program does not read (437, 850, "
                                  "852, 1250 or 1252)",
                                  name),
                      "dBase");
}

bool foxProFamily(unsigned char version) { return version == 0x30 || version == 0x31 || version == 0xF5 || version == 0xFB; }

}  // namespace

std::shared_ptr<const DbfTable> DbfTable::open(const std::filesystem::path& file)
{
    const auto page = codePageOverride();
    auto table = openFile(file);

    // FoxPro keeps memos in .fpt, dBase in .dbt; a table copied between programs may have either.
    unsigned char version = 0;
    table->read(0, &version, 1);
    const std::string stem = file.stem().string();
    const char* first = foxProFamily(version) ? ".fpt" : ".dbt";
    const char* second = foxProFamily(version) ? ".dbt" : ".fpt";
    std::unique_ptr<ByteSource> memo;
    for (const char* extension : {first, second}) {
        const auto candidate = os::findIgnoringCase(file.parent_path(), stem + extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            memo = openFile(candidate);
            break;
        }
    }
    return read(std::move(table), std::move(memo), page);
}

}  // namespace db::dbf
