#include "platform/db/sqlite/TsqlStore.h"

#include "platform/db/sqlite/SqlQuoting.h"
#include "platform/db/sqlite/SqliteTypes.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fmt/format.h>

namespace db::sqlite::tsql {
namespace {

const Rules kValue{true, Kw::None, 0, false};

std::string_view unquoted(std::string_view name)
{
    if (name.size() >= 2 && (name.front() == '[' || name.front() == '"')) return name.substr(1, name.size() - 2);
    return name;
}

std::string_view kindWord(const ColumnRule& rule)
{
    switch (rule.kind) {
    case ColumnRule::Kind::Text: return rule.padded ? "char" : "text";
    case ColumnRule::Kind::Exact: return rule.money ? "money" : "exact";
    case ColumnRule::Kind::Float: return "float";
    case ColumnRule::Kind::DateTime: return "datetime";
    case ColumnRule::Kind::Whole: return "whole";
    case ColumnRule::Kind::Bit: return "bit";
    case ColumnRule::Kind::Any: break;
    }
    return "any";
}

// What follows the expression in its store call.
std::string storeTail(const ColumnRule& rule)
{
    const int size = rule.kind == ColumnRule::Kind::Text ? rule.width : rule.precision;
    return fmt::format(", '{}', {}, {}, {})", kindWord(rule), size, rule.scale, quoteLiteral(rule.name));
}

SqlParameter asParameter(StoredValue&& value)
{
    switch (value.kind) {
    case StoredValue::Kind::Integer: return {SqlParameter::Type::Integer, {}, true, value.integer};
    case StoredValue::Kind::Real: return {SqlParameter::Type::Real, {}, true, 0, value.real};
    default: return {SqlParameter::Type::Text, std::move(value.text)};
    }
}

}  // namespace

std::optional<SqlParameter> storedParameter(const Lexed& lx, const Token& literal, bool negative, const ColumnRule& rule,
                                            DateOrder order, StoreRefusal& refused)
{
    if (literal.type == Tok::String) {
        StoredValue value = StoredValue::ofText(Writer::unquotedLiteral(lx.literalOf(literal)));
        refused = storeInto(rule, value, order, DateSource::Literal);
        if (refused.native != 0) return std::nullopt;
        return asParameter(std::move(value));
    }
    const std::string_view digits = lx.textOf(literal);
    std::string spelled(digits);
    if (negative) spelled.insert(0, 1, '-');
    const char* const last = spelled.data() + spelled.size();
    StoredValue value;
    long long whole = 0;
    double real = 0;
    if (Writer::numberType(digits) == SqlParameter::Type::Integer
        && std::from_chars(spelled.data(), last, whole).ptr == last)
        value = StoredValue::ofInteger(whole);
    else if (const auto read = std::from_chars(spelled.data(), last, real); read.ec == std::errc() && read.ptr == last)
        value = StoredValue::ofReal(real);
    else  // beyond a double: as the C library reads it
        value = StoredValue::ofReal(std::strtod(spelled.c_str(), nullptr));
    refused = storeInto(rule, value);
    if (refused.native != 0) return std::nullopt;
    return asParameter(std::move(value));
}

std::string storeCall(const ColumnRule& rule, std::string_view expression)
{
    if (rule.kind == ColumnRule::Kind::Any) return std::string(expression);
    return fmt::format("sqlsrv_store({}{}", expression, storeTail(rule));
}

StoreRewriter::StoreRewriter(const Lexed& lx, std::size_t first, std::size_t last, Walker& walker, ColumnRules& rules)
    : lx_(lx), tk_(lx.tokens), first_(first), last_(last), walker_(walker), rules_(rules)
{
}

bool StoreRewriter::isName(std::size_t i) const
{
    return i < last_ && isIdentifier(tk_[i]) && lx_.textOf(tk_[i]).front() != '@' && lx_.textOf(tk_[i]).front() != '#';
}

std::size_t StoreRewriter::nameEnd(std::size_t i) const
{
    if (!isName(i)) return i;
    std::size_t end = i + 1;
    while (typeAt(end) == Tok::Dot && isName(end + 1)) end += 2;
    return end;
}

std::size_t StoreRewriter::matching(std::size_t open) const
{
    int depth = 0;
    for (std::size_t i = open; i < last_; ++i) {
        if (tk_[i].type == Tok::LParen) ++depth;
        else if (tk_[i].type == Tok::RParen && --depth == 0) return i;
    }
    return kNowhere;
}

std::size_t StoreRewriter::listItemEnd(std::size_t from, std::size_t close) const
{
    int depth = 0;
    for (std::size_t i = from; i < close; ++i) {
        const Token& t = tk_[i];
        if (t.type == Tok::LParen) ++depth;
        else if (t.type == Tok::RParen) --depth;
        else if (depth == 0 && (t.type == Tok::Comma || kwAt(i) == Kw::Where || kwAt(i) == Kw::From)) return i;
    }
    return close;
}

const std::vector<ColumnRule>* StoreRewriter::tableRules(std::size_t nameBegin, std::size_t end)
{
    if (end == nameBegin) return nullptr;
    const std::vector<ColumnRule>* table = rules_.columnsOf(unquoted(lx_.textOf(tk_[end - 1])));
    tableUnknown_ = table == nullptr;
    return table;
}

const ColumnRule* StoreRewriter::ruleOf(const std::vector<ColumnRule>& table, std::size_t nameToken,
                                        std::size_t& hint) const
{
    // Column lists mostly follow the table's order: the column after the last one found is tried first.
    const std::string_view name = unquoted(lx_.textOf(tk_[nameToken]));
    for (std::size_t k = 0; k < table.size(); ++k) {
        const std::size_t at = (hint + k) % table.size();
        if (!equalsIgnoreCase(table[at].column, name)) continue;
        hint = at + 1;
        return &table[at];
    }
    return nullptr;
}

bool StoreRewriter::storeLiteral(Writer& w, std::size_t begin, std::size_t end, const ColumnRule& rule)
{
    const Token& t = tk_[begin];
    if (end == begin + 1 && t.type == Tok::Word && t.kw == Kw::Null) {
        w.token("NULL", t.spaceBefore);
        return true;
    }
    std::size_t literal = begin;
    bool negative = false;
    if (end != begin + 1 || t.type != Tok::String) {
        const bool signed_ = end == begin + 2 && t.type == Tok::Other
                             && (lx_.textOf(t) == "-" || lx_.textOf(t) == "+");
        literal = signed_ ? begin + 1 : begin;
        if (end != literal + 1 || tk_[literal].type != Tok::Number) return false;
        if (!Writer::numberType(lx_.textOf(tk_[literal]))) return false;
        negative = signed_ && lx_.textOf(t) == "-";
    }
    StoreRefusal refused;
    std::optional<SqlParameter> parameter = storedParameter(lx_, tk_[literal], negative, rule, rules_.dateOrder, refused);
    if (!parameter) {
        // The statement is not run; NULL keeps its text one SQLite compiles.
        if (refusal_.native == 0) refusal_ = std::move(refused);
        w.token("NULL", t.spaceBefore);
        return true;
    }
    w.value(std::move(*parameter), t.spaceBefore, {literal, &rule, negative});
    return true;
}

void StoreRewriter::storeValue(Writer& w, std::size_t begin, std::size_t end, const ColumnRule* rule)
{
    if (!rule || rule->kind == ColumnRule::Kind::Any) {
        walker_.walk(w, begin, end, kValue);
        return;
    }
    if (storeLiteral(w, begin, end, *rule)) return;
    w.token("sqlsrv_store(", tk_[begin].spaceBefore);
    w.skip(false);
    walker_.walk(w, begin, end, kValue);
    w.append(storeTail(*rule));
}

bool StoreRewriter::insert(Writer& w)
{
    std::size_t target = first_ + 1;
    if (kwAt(target) == Kw::Into) ++target;
    const std::size_t name = nameEnd(target);
    const std::vector<ColumnRule>* table = tableRules(target, name);
    if (!table) return false;

    std::vector<const ColumnRule*> targets;
    std::size_t columnsEnd = name;
    const bool columnList = typeAt(name) == Tok::LParen && kwAt(name + 1) != Kw::Select;
    if (columnList) {
        const std::size_t close = matching(name);
        if (close == kNowhere) return false;
        std::size_t hint = 0;
        for (std::size_t i = name + 1; i < close; i += 2) {
            if (!isName(i) || (i + 1 < close && typeAt(i + 1) != Tok::Comma)) return false;
            targets.push_back(ruleOf(*table, i, hint));
        }
        columnsEnd = close + 1;
    } else {
        // The values of an INSERT without columns are those of the columns the database does not number.
        for (const ColumnRule& rule : *table)
            if (!rule.identity) targets.push_back(&rule);
    }
    for (const ColumnRule& rule : *table) {
        if (!rule.identity) continue;
        table_ = std::string(unquoted(lx_.textOf(tk_[name - 1])));
        tableEnd_ = name;
        if (std::find(targets.begin(), targets.end(), &rule) == targets.end()) {
            if (std::find(targets.begin(), targets.end(), nullptr) != targets.end()) return false;
            numbered_ = &rule;
        } else if (!equalsIgnoreCase(rules_.identityInsert, table_) && refusal_.native == 0) {
            refusal_ = {544, fmt::format("Cannot insert explicit value for identity column in table '{}' when "
                                         "IDENTITY_INSERT is set to OFF.",
                                         table_)};
        }
    }
    bool anyRule = false;
    for (const ColumnRule* rule : targets) anyRule = anyRule || (rule && rule->kind != ColumnRule::Kind::Any);
    if (!anyRule) return false;

    if (kwAt(columnsEnd) == Kw::Values) return insertValues(w, columnsEnd, targets);
    if (kwAt(columnsEnd) == Kw::Select || (typeAt(columnsEnd) == Tok::LParen && kwAt(columnsEnd + 1) == Kw::Select))
        return insertSelect(w, target, columnsEnd, targets, columnList);
    return false;
}

bool StoreRewriter::insertValues(Writer& w, std::size_t valuesWord, const std::vector<const ColumnRule*>& targets)
{
    // The rows are checked first: a shape this does not know is written as it stands, by the caller.
    std::vector<std::vector<std::pair<std::size_t, std::size_t>>> rows;
    for (std::size_t i = valuesWord + 1;;) {
        if (typeAt(i) != Tok::LParen) return false;
        const std::size_t close = matching(i);
        if (close == kNowhere) return false;
        auto& row = rows.emplace_back();
        for (std::size_t from = i + 1; from < close;) {
            const std::size_t to = listItemEnd(from, close);
            if (to == from || (to < close && typeAt(to) != Tok::Comma)) return false;
            row.emplace_back(from, to);
            from = to + 1;
        }
        if (row.size() != targets.size()) return false;
        i = close + 1;
        if (i == last_) break;
        if (typeAt(i) != Tok::Comma) return false;
        ++i;
    }

    w.token(lx_.textOf(tk_[first_]), false);
    if (kwAt(first_ + 1) != Kw::Into) w.word("INTO");
    if (numbered_) {
        walker_.walk(w, first_ + 1, tableEnd_, Rules{true, Kw::Insert, 0, false});
        w.word(numberedColumns(targets));
        w.word("VALUES");
    } else {
        walker_.walk(w, first_ + 1, valuesWord + 1, Rules{true, Kw::Insert, 0, false});
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) w.token(",", false);
        w.token("(", true);
        for (std::size_t c = 0; c < targets.size(); ++c) {
            if (c > 0) w.token(",", false);
            storeValue(w, rows[r][c].first, rows[r][c].second, targets[c]);
        }
        if (numbered_) w.append(", " + nextIdentity(std::to_string(r)));
        w.token(")", false);
    }
    return true;
}

std::string StoreRewriter::nextIdentity(std::string_view row) const
{
    // The next after the highest given so far (the lowest, counting down); the seed in an empty table.
    return fmt::format("(SELECT COALESCE({}({}), {}) FROM {}) + {} * ({} + 1)", numbered_->step > 0 ? "MAX" : "MIN",
                       quoteIdentifier(numbered_->column), numbered_->seed - numbered_->step, quoteIdentifier(table_),
                       numbered_->step, row);
}

std::string StoreRewriter::numberedColumns(const std::vector<const ColumnRule*>& targets) const
{
    std::string list;
    for (const ColumnRule* rule : targets) list += quoteIdentifier(rule->column) + ", ";
    return "(" + list + quoteIdentifier(numbered_->column) + ")";
}

bool StoreRewriter::insertSelect(Writer& w, std::size_t target, std::size_t columnsEnd,
                                 const std::vector<const ColumnRule*>& targets, bool columnList)
{
    std::size_t sourceBegin = columnsEnd, sourceEnd = last_;
    if (typeAt(columnsEnd) == Tok::LParen) {
        if (matching(columnsEnd) != last_ - 1) return false;
        sourceBegin = columnsEnd + 1;
        sourceEnd = last_ - 1;
    }
    std::string names, wrapped;
    for (std::size_t c = 0; c < targets.size(); ++c) {
        const std::string column = fmt::format("\"${}\"", c + 1);
        names += (c ? ", " : "") + column;
        wrapped += (c ? ", " : "") + (targets[c] ? storeCall(*targets[c], column) : column);
    }
    w.token("WITH", false);
    w.word(fmt::format("\"$source\"({}) AS (", names));
    w.skip(false);
    walker_.walk(w, sourceBegin, sourceEnd, Rules{true, Kw::Select, 0, false});
    w.token(")", false);
    w.word("INSERT INTO");
    if (numbered_) {
        walker_.walk(w, target, tableEnd_, kValue);
        w.word(numberedColumns(targets));
        wrapped += ", " + nextIdentity("row_number() OVER () - 1");
    } else {
        walker_.walk(w, target, columnsEnd, kValue);
    }
    if (!columnList && !numbered_) {
        std::string list;
        for (const ColumnRule* rule : targets) list += (list.empty() ? "" : ", ") + quoteIdentifier(rule->column);
        w.word("(" + list + ")");
    }
    w.word("SELECT " + wrapped + " FROM \"$source\"");
    return true;
}

bool StoreRewriter::update(Writer& w)
{
    const std::size_t target = first_ + 1;
    const std::size_t name = nameEnd(target);
    const std::vector<ColumnRule>* table = tableRules(target, name);
    if (!table) return false;
    std::size_t set = name;
    while (set < last_ && kwAt(set) != Kw::Set) {
        if (typeAt(set) == Tok::LParen) set = matching(set);
        if (set == kNowhere) return false;
        ++set;
    }
    if (set >= last_) return false;

    // Each assignment: [alias.]column = value, up to a comma, WHERE, FROM or the end.
    struct Assignment {
        std::size_t column, equals, end;
    };
    std::vector<Assignment> assignments;
    std::size_t i = set + 1;
    while (true) {
        const std::size_t columnEnd = nameEnd(i);
        if (columnEnd == i || typeAt(columnEnd) != Tok::Other || lx_.textOf(tk_[columnEnd]) != "=") return false;
        const std::size_t end = listItemEnd(columnEnd + 1, last_);
        if (end == columnEnd + 1) return false;
        assignments.push_back({columnEnd - 1, columnEnd, end});
        if (typeAt(end) != Tok::Comma) break;
        i = end + 1;
    }

    walker_.walk(w, first_, set + 1, Rules{true, Kw::Update, 0, false});
    std::size_t from = set + 1, hint = 0;
    for (const Assignment& a : assignments) {
        walker_.walk(w, from, a.equals + 1, kValue);
        storeValue(w, a.equals + 1, a.end, ruleOf(*table, a.column, hint));
        from = a.end;
    }
    walker_.walk(w, from, last_, Rules{true, Kw::Update, 0, false});
    return true;
}

std::string withSqlServerAffinity(std::string_view ddl)
{
    const Lexed lx = tokenize(ddl);
    std::string out;
    std::size_t copied = 0;
    for (std::size_t i = 1; i < lx.tokens.size(); ++i) {
        const Token& t = lx.tokens[i];
        const Token& before = lx.tokens[i - 1];
        const bool afterName = (before.type == Tok::Word && (before.kw == Kw::None || before.kw == Kw::As))
                               || before.type == Tok::QuotedIdent;
        const std::string_view word = t.type == Tok::Word && afterName ? affinityWord(lx.textOf(t)) : std::string_view();
        if (word.empty()) continue;
        out.append(ddl.substr(copied, t.begin - copied));
        out += word;
        out += ' ';
        copied = t.begin;
    }
    out.append(ddl.substr(copied));
    return out;
}

}  // namespace db::sqlite::tsql
