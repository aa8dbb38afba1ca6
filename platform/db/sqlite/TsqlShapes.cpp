#include "platform/db/sqlite/TsqlShapes.h"

#include "platform/db/sqlite/TsqlStore.h"

#include <algorithm>
#include <cstring>

namespace db::sqlite {
namespace {

using tsql::Tok;
using tsql::Token;
using tsql::Writer;

// Beyond this many shapes the oldest are not worth keeping apart: all are forgotten and remembered anew.
constexpr std::size_t kMostShapes = 512;

// The kind of a literal token that decides how it is rewritten; 0 when the token is no literal.
char literalKind(const tsql::Lexed& lx, const Token& t)
{
    if (t.type == Tok::String) return t.national ? 'N' : 'S';
    if (t.type != Tok::Number) return 0;
    const auto type = Writer::numberType(lx.textOf(t));
    if (!type) return 'X';
    return *type == SqlParameter::Type::Integer ? 'I' : 'R';
}

}  // namespace

void StatementShapes::readShape(const tsql::Lexed& lx, tsql::Span span)
{
    literals_.clear();
    // Each token: its type and the gap before it in one byte, then its literal kind or its length and text.
    const std::size_t bytes = lx.tokens[span.last - 1].end - lx.tokens[span.first].begin;
    key_.resize(bytes + 5 * (span.last - span.first));
    char* out = key_.data();
    for (std::size_t i = span.first; i < span.last; ++i) {
        const Token& t = lx.tokens[i];
        *out++ = static_cast<char>(static_cast<int>(t.type) * 2 + (t.spaceBefore ? 1 : 0));
        if (const char kind = literalKind(lx, t)) {
            *out++ = kind;
            literals_.push_back(i);
            continue;
        }
        const std::string_view text = lx.textOf(t);
        const auto size = static_cast<std::uint32_t>(text.size());
        std::memcpy(out, &size, sizeof size);
        out += sizeof size;
        std::memcpy(out, text.data(), text.size());
        out += text.size();
    }
    key_.resize(static_cast<std::size_t>(out - key_.data()));
}

bool StatementShapes::made(const tsql::Lexed& lx, const std::vector<Parameter>& plan,
                           std::vector<SqlParameter>& parameters) const
{
    parameters.reserve(plan.size());
    for (const Parameter& p : plan) {
        const Token& t = lx.tokens[literals_[p.literal]];
        if (p.rule) {
            StoreRefusal refused;
            std::optional<SqlParameter> parameter = storedParameter(lx, t, p.negative, *p.rule, refused);
            if (!parameter) return false;
            parameters.push_back(std::move(*parameter));
        } else if (t.type == Tok::String) {
            parameters.push_back({SqlParameter::Type::Text, Writer::unquotedLiteral(lx.literalOf(t))});
        } else {
            parameters.push_back({*Writer::numberType(lx.textOf(t)), std::string(lx.textOf(t))});
        }
    }
    return true;
}

bool StatementShapes::replay(const tsql::Lexed& lx, tsql::Span span, TsqlStatement& statement)
{
    if (plans_.empty()) return false;
    readShape(lx, span);
    const auto found = plans_.find(key_);
    if (found == plans_.end()) return false;
    const Plan& plan = found->second;
    if (!made(lx, plan.parameters, statement.parameters) || !made(lx, plan.conditionParameters, statement.conditionParameters))
        return false;
    const Token& first = lx.tokens[span.first];
    statement.original = std::string(lx.text.substr(first.begin, lx.tokens[span.last - 1].end - first.begin));
    statement.kind = plan.kind;
    statement.sql = plan.sql;
    statement.condition = plan.condition;
    statement.negate = plan.negate;
    return true;
}

bool StatementShapes::planned(const std::vector<tsql::ParameterSource>& sources, std::vector<Parameter>& plan,
                              std::vector<bool>& used) const
{
    for (const tsql::ParameterSource& source : sources) {
        const auto at = std::lower_bound(literals_.begin(), literals_.end(), source.token);
        if (at == literals_.end() || *at != source.token) return false;
        const auto literal = static_cast<std::size_t>(at - literals_.begin());
        if (used[literal]) return false;
        used[literal] = true;
        plan.push_back({literal, source.rule, source.negative});
    }
    return true;
}

void StatementShapes::remember(const tsql::Lexed& lx, tsql::Span span, const TsqlStatement& statement,
                               const std::vector<tsql::ParameterSource>& sources,
                               const std::vector<tsql::ParameterSource>& conditionSources)
{
    using Kind = TsqlStatement::Kind;
    if ((statement.kind != Kind::Plain && statement.kind != Kind::Conditional) || statement.changesSchema
        || statement.rulesUnknown || statement.storeError != 0)
        return;
    readShape(lx, span);
    // Every literal is to go to exactly one parameter: one written into the text would not change with the row.
    if (sources.size() + conditionSources.size() != literals_.size()) return;
    Plan plan;
    std::vector<bool> used(literals_.size(), false);
    if (!planned(sources, plan.parameters, used) || !planned(conditionSources, plan.conditionParameters, used)) return;
    plan.kind = statement.kind;
    plan.sql = statement.sql;
    plan.condition = statement.condition;
    plan.negate = statement.negate;
    if (plans_.size() >= kMostShapes) plans_.clear();
    plans_.insert_or_assign(key_, std::move(plan));
}

}  // namespace db::sqlite
