#include "platform/db/sqlite/SqlQuoting.h"

namespace db::sqlite {
namespace {

std::string enclose(std::string_view text, char quote)
{
    std::string out(1, quote);
    for (char c : text) {
        if (c == quote) out += quote;
        out += c;
    }
    return out + quote;
}

}  // namespace

std::string quoteIdentifier(std::string_view identifier) { return enclose(identifier, '"'); }
std::string quoteLiteral(std::string_view text) { return enclose(text, '\''); }

}  // namespace db::sqlite
