#include "platform/db/sqlite/TsqlExpressionTypes.h"

#include "platform/db/sqlite/SqliteTypes.h"
#include "platform/db/sqlite/TsqlWalker.h"

#include <algorithm>
#include <fmt/format.h>

namespace db::sqlite::tsql {
namespace {

// Words that may follow a table's name in FROM without being its alias.
bool endsTableName(std::string_view word)
{
    for (std::string_view join : {"JOIN", "INNER", "LEFT", "RIGHT", "OUTER", "CROSS", "FULL"})
        if (equalsIgnoreCase(word, join)) return true;
    return false;
}

// Functions whose result has their (first) argument's type.
bool keepsArgumentType(const Token& name, std::string_view text)
{
    if (name.kw == Kw::Isnull) return true;
    if (name.kw != Kw::None) return false;
    for (std::string_view function : {"COALESCE", "SUM", "MIN", "MAX", "AVG", "ABS"})
        if (equalsIgnoreCase(text, function)) return true;
    return false;
}

}  // namespace

void ExpressionTypes::reset(ColumnRules* rules, std::size_t first, std::size_t last)
{
    rules_ = rules;
    first_ = first;
    last_ = last;
    tablesRead_ = false;
    tableUnknown_ = false;
    tables_.clear();
}

bool ExpressionTypes::isName(std::size_t i) const
{
    return i < last_ && isIdentifier(tk_[i]) && lx_.textOf(tk_[i]).front() != '@' && lx_.textOf(tk_[i]).front() != '#';
}

std::size_t ExpressionTypes::closingParen(std::size_t open, std::size_t end) const
{
    int depth = 0;
    for (std::size_t i = open; i < end; ++i) {
        if (tk_[i].type == Tok::LParen) ++depth;
        else if (tk_[i].type == Tok::RParen && --depth == 0) return i;
    }
    return kNowhere;
}

std::optional<std::string> ExpressionTypes::exactTypeOf(std::size_t begin, std::size_t end)
{
    if (begin >= end || end > last_) return std::nullopt;
    const Token& t = tk_[begin];
    if (t.type == Tok::LParen && closingParen(begin, end) == end - 1) return exactTypeOf(begin + 1, end - 1);
    if (end - begin == 1 && isName(begin)) return columnType({}, unquotedName(lx_.textOf(t)));
    if (end - begin == 3 && isName(begin) && tk_[begin + 1].type == Tok::Dot && isName(begin + 2))
        return columnType(unquotedName(lx_.textOf(t)), unquotedName(lx_.textOf(tk_[begin + 2])));
    if (t.type != Tok::Word || end - begin < 4 || tk_[begin + 1].type != Tok::LParen
        || closingParen(begin + 1, end) != end - 1)
        return std::nullopt;
    // name ( arguments )
    const std::string_view name = lx_.textOf(t);
    const std::size_t open = begin + 1;
    std::size_t comma = end - 1;  // the end of the first argument
    int depth = 0;
    std::size_t as = kNowhere;
    for (std::size_t i = open + 1; i < end - 1; ++i) {
        if (tk_[i].type == Tok::LParen) ++depth;
        else if (tk_[i].type == Tok::RParen) --depth;
        else if (depth == 0 && tk_[i].type == Tok::Comma && comma == end - 1) comma = i;
        else if (depth == 0 && tk_[i].type == Tok::Word && tk_[i].kw == Kw::As) as = i;
    }
    if (t.kw == Kw::Convert) return comma < end - 1 ? typeNamed(open + 1, comma) : std::nullopt;
    if (t.kw == Kw::None && equalsIgnoreCase(name, "CAST")) return as != kNowhere ? typeNamed(as + 1, end - 1) : std::nullopt;
    if (!keepsArgumentType(t, name)) return std::nullopt;
    std::size_t argument = open + 1;
    if (tk_[argument].type == Tok::Word && (tk_[argument].kw == Kw::Distinct || tk_[argument].kw == Kw::All)) ++argument;
    auto type = exactTypeOf(argument, comma);
    if (type && t.kw == Kw::None && equalsIgnoreCase(name, "AVG") && type->starts_with("decimal")) {
        // The average of decimals has at least six decimals.
        const DeclaredType averaged = readDeclaredType(*type);
        type = fmt::format("decimal(38,{})", std::max(averaged.second, 6));
    }
    return type;
}

// The type spelled by tokens [begin, end) when it is an exact one: 'decimal(18,4)'.
std::optional<std::string> ExpressionTypes::typeNamed(std::size_t begin, std::size_t end) const
{
    if (begin >= end) return std::nullopt;
    std::string spelled;
    for (std::size_t i = begin; i < end; ++i) spelled += unquotedName(lx_.textOf(tk_[i]));
    const DeclaredType type = readDeclaredType(spelled);
    if (!isExactType(type.name)) return std::nullopt;
    if (type.name == "money" || type.name == "smallmoney") return type.name;
    return fmt::format("decimal({},{})", type.first > 0 ? type.first : 18, type.second);
}

std::optional<std::string> ExpressionTypes::columnType(std::string_view alias, std::string_view column)
{
    if (!rules_) return std::nullopt;
    if (!tablesRead_) readTables();
    for (const TableName& table : tables_) {
        if (!alias.empty() && !equalsIgnoreCase(alias, table.alias) && !equalsIgnoreCase(alias, table.name)) continue;
        const std::vector<ColumnRule>* columns = rules_->columnsOf(table.name);
        if (!columns) {
            tableUnknown_ = true;
            continue;
        }
        for (const ColumnRule& rule : *columns) {
            if (!equalsIgnoreCase(rule.column, column)) continue;
            if (rule.kind != ColumnRule::Kind::Exact) return std::nullopt;
            if (rule.money) return std::string(rule.precision > 10 ? "money" : "smallmoney");
            return fmt::format("decimal({},{})", rule.precision, rule.scale);
        }
    }
    return std::nullopt;
}

// The tables the statement names after FROM, JOIN, UPDATE, INTO and DELETE, with their aliases.
void ExpressionTypes::readTables()
{
    tablesRead_ = true;
    for (std::size_t i = first_; i < last_; ++i) {
        const Token& t = tk_[i];
        if (t.type != Tok::Word) continue;
        const bool follows = t.kw == Kw::From || t.kw == Kw::Update || t.kw == Kw::Into || t.kw == Kw::Delete
                             || (t.kw == Kw::None && equalsIgnoreCase(lx_.textOf(t), "JOIN"));
        if (!follows) continue;
        std::size_t next = readTable(i + 1);
        // FROM A x, B y
        while (t.kw == Kw::From && next > i + 1 && next < last_ && tk_[next].type == Tok::Comma) {
            const std::size_t after = readTable(next + 1);
            if (after == next + 1) break;
            next = after;
        }
    }
}

// Reads [owner.]table [[AS] alias] at `i`; answers where it ended (`i` when there is no name there).
std::size_t ExpressionTypes::readTable(std::size_t i)
{
    if (!isName(i)) return i;
    std::size_t name = i;
    while (name + 2 < last_ && tk_[name + 1].type == Tok::Dot && isName(name + 2)) name += 2;
    TableName table{unquotedName(lx_.textOf(tk_[name])), {}};
    std::size_t next = name + 1;
    if (next < last_ && tk_[next].type == Tok::Word && tk_[next].kw == Kw::As) ++next;
    if (isName(next) && (tk_[next].type == Tok::QuotedIdent || !endsTableName(lx_.textOf(tk_[next])))) {
        table.alias = unquotedName(lx_.textOf(tk_[next]));
        ++next;
    }
    tables_.push_back(table);
    return next;
}

}  // namespace db::sqlite::tsql
