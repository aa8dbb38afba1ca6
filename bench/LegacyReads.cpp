#include "bench/LegacyReads.h"

#include "bench/BenchSupport.h"
#include "platform/os/PathMapping.h"

#include <fstream>
#include <iterator>
#include <strings.h>

namespace bench {

namespace {

std::filesystem::path tableFile(const std::filesystem::path& folder, const std::string& name)
{
    std::filesystem::path file = os::findIgnoringCase(folder, name + ".dbf");
    if (!std::filesystem::exists(file)) fail("no table " + name + " in " + folder.string());
    return file;
}

}  // namespace

DbfRows::DbfRows(const std::filesystem::path& folder, const std::string& name, const std::vector<std::string>& fields)
    : table_(db::dbf::DbfTable::open(tableFile(folder, name))), records_(table_)
{
    const auto& all = table_->fields();
    if (fields.empty())
        for (std::size_t i = 0; i < all.size(); ++i) decoded_.push_back(i);
    for (const std::string& wanted : fields) {
        std::size_t i = 0;
        while (i < all.size() && strcasecmp(all[i].name.c_str(), wanted.c_str()) != 0) ++i;
        if (i == all.size()) fail("no field " + wanted + " in " + name);
        decoded_.push_back(i);
    }
    values_.resize(decoded_.size());
}

bool DbfRows::next()
{
    if (!records_.next()) return false;
    for (std::size_t i = 0; i < decoded_.size(); ++i) values_[i] = records_.value(decoded_[i]);
    return true;
}

long DbfRows::rest()
{
    long read = 0;
    while (next()) ++read;
    return read;
}

std::size_t DbfRows::field(const std::string& name) const
{
    for (std::size_t i = 0; i < decoded_.size(); ++i)
        if (strcasecmp(table_->fields()[decoded_[i]].name.c_str(), name.c_str()) == 0) return i;
    fail("no field " + name + " decoded");
}

TextFields::TextFields(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) fail("cannot read " + file.string());
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const std::string_view all(text);
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string_view>& fields = lines.emplace_back();
        for (std::size_t from = 0;;) {
            const std::size_t tab = line.find('\t', from);
            fields.push_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
            if (tab == std::string_view::npos) break;
            from = tab + 1;
        }
        start = end + 1;
    }
}

}  // namespace bench
