#include "platform/db/sqlite/TsqlShapes.h"

#include "platform/db/sqlite/TsqlStore.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace db::sqlite {
namespace {

using tsql::Kw;
using tsql::Tok;
using tsql::Token;
using tsql::Writer;

// Beyond this many shapes the oldest are not worth keeping apart: all are forgotten and remembered anew.
constexpr std::size_t kMostShapes = 512;
// The bytes of a statement's opening its plan is found by: enough to tell apart the tables and columns
// of most statements, and a plan's first literal may come before.
constexpr std::size_t kOpening = 32;
constexpr std::size_t kNowhere = std::string_view::npos;
// The uses a parameter whose literal changed twice running is neither compared with its last nor kept: an
// amount or a number changes on every row, and keeping each costs more than making it.
constexpr std::uint8_t kRestingUses = 16;

// The kind of a literal token that decides how it is rewritten; 0 when the token is no literal.
char literalKind(std::string_view text, const Token& t)
{
    if (t.type == Tok::String) {
        // A blank text compared with a column is written apart from other texts (see TsqlWalker.h).
        std::size_t i = t.begin + (t.national ? 2 : 1);
        const std::size_t close = t.end - 1;
        while (i < close && text[i] == ' ') ++i;
        if (i == close) return 'B';
        return t.national ? 'N' : 'S';
    }
    if (t.type != Tok::Number) return 0;
    const auto type = Writer::numberType(text.substr(t.begin, t.end - t.begin));
    if (!type) return 'X';
    return *type == SqlParameter::Type::Integer ? 'I' : 'R';
}

}  // namespace

void StatementShapes::clear()
{
    plans_.clear();
    openings_.clear();
    openingSizes_.clear();
    last_ = nullptr;
    before_ = nullptr;
}

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
        if (const char kind = literalKind(lx.text, t)) {
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

void StatementShapes::keepText(const tsql::Lexed& lx, tsql::Span span, Plan& plan) const
{
    const std::size_t begin = lx.tokens[span.first].begin, end = lx.tokens[span.last - 1].end;
    plan.text = std::string(lx.text.substr(begin, end - begin));
    plan.cuts.assign(1, 0);
    plan.kinds.clear();
    for (std::size_t literal : literals_) {
        const Token& t = lx.tokens[literal];
        plan.cuts.push_back(t.begin - begin);
        plan.cuts.push_back(t.end - begin);
        plan.kinds.push_back(literalKind(lx.text, t));
    }
    plan.cuts.push_back(end - begin);
}

bool StatementShapes::made(const tsql::Lexed& lx, std::vector<Parameter>& plan,
                           std::vector<SqlParameter>& parameters) const
{
    parameters.reserve(plan.size());
    for (Parameter& p : plan) {
        const Token& t = lx.tokens[literals_[p.literal]];
        const std::string_view written = lx.textOf(t);
        if (p.resting == 0 && written == p.lastLiteral && dateOrder_ == p.lastOrder) {
            p.changes = 0;
            parameters.push_back(p.lastMade);
            continue;
        }
        if (p.rule) {
            StoreRefusal refused;
            std::optional<SqlParameter> parameter = storedParameter(lx, t, p.negative, *p.rule, dateOrder_, refused);
            if (!parameter) return false;
            parameters.push_back(std::move(*parameter));
        } else if (t.type == Tok::String) {
            parameters.push_back({SqlParameter::Type::Text, Writer::unquotedLiteral(lx.literalOf(t))});
        } else {
            parameters.push_back({*Writer::numberType(written), std::string(written)});
        }
        if (p.resting > 0) {
            --p.resting;
            continue;
        }
        if (++p.changes == 2) {
            p.changes = 0;
            p.resting = kRestingUses;
        }
        p.lastLiteral.assign(written);
        p.lastOrder = dateOrder_;
        p.lastMade = parameters.back();
    }
    return true;
}

void StatementShapes::markUsed(Plan* plan)
{
    last_ = plan;
    if (before_) before_->next = plan;
    before_ = plan;
}

void StatementShapes::index(Plan& plan)
{
    const std::size_t size = std::min(kOpening, plan.cuts[1]);
    std::vector<Plan*>& plans = openings_[plan.text.substr(0, size)];
    if (std::find(plans.begin(), plans.end(), &plan) == plans.end()) plans.push_back(&plan);
    if (std::find(openingSizes_.begin(), openingSizes_.end(), size) == openingSizes_.end()) openingSizes_.push_back(size);
}

void StatementShapes::take(Plan& plan, std::string_view original, TsqlStatement& statement)
{
    statement.original = std::string(original);
    statement.kind = plan.kind;
    statement.sql = plan.sql;
    statement.condition = plan.condition;
    statement.negate = plan.negate;
    markUsed(&plan);
}

bool StatementShapes::replay(const tsql::Lexed& lx, tsql::Span span, TsqlStatement& statement)
{
    last_ = nullptr;
    if (plans_.empty()) return false;
    readShape(lx, span);
    const auto found = plans_.find(key_);
    if (found == plans_.end() || !keepsAlike(lx, found->second)) return false;
    Plan& plan = found->second;
    if (!made(lx, plan.parameters, statement.parameters) || !made(lx, plan.conditionParameters, statement.conditionParameters))
        return false;
    const Token& first = lx.tokens[span.first];
    take(plan, lx.text.substr(first.begin, lx.tokens[span.last - 1].end - first.begin), statement);
    return true;
}

std::size_t StatementShapes::matches(const Plan& plan, std::string_view batch, std::size_t at)
{
    literalTokens_.clear();
    std::size_t position = at;
    for (std::size_t k = 0;; ++k) {
        const std::size_t from = plan.cuts[2 * k], size = plan.cuts[2 * k + 1] - from;
        if (batch.size() - position < size || std::memcmp(batch.data() + position, plan.text.data() + from, size) != 0)
            return kNowhere;
        position += size;
        if (k == plan.kinds.size()) break;
        const std::optional<Token> literal = tsql::literalAt(batch, position);
        if (!literal || literalKind(batch, *literal) != plan.kinds[k]) return kNowhere;
        if (!plan.kept[k].empty() && batch.substr(literal->begin, literal->end - literal->begin) != plan.kept[k])
            return kNowhere;
        literalTokens_.push_back(*literal);
        position = literal->end;
    }
    return endsThere(plan, batch, position) ? position : kNowhere;
}

bool StatementShapes::endsThere(const Plan& plan, std::string_view batch, std::size_t end)
{
    const std::size_t next = tsql::blanksEnd(batch, end);
    if (next == batch.size() || batch[next] == ';') return true;
    // SET after an UPDATE is told apart by what follows it, which this does not look at.
    const std::optional<Token> word = tsql::wordAt(batch, next);
    return word && word->kw != Kw::None && word->kw != Kw::Set && plan.closers.test(static_cast<std::size_t>(word->kw));
}

bool StatementShapes::replayedAs(Plan& plan, std::string_view batch, std::size_t& at, TsqlStatement& statement,
                                 bool& refused)
{
    const std::size_t end = matches(plan, batch, at);
    if (end == kNowhere) return false;
    literals_.resize(literalTokens_.size());
    std::iota(literals_.begin(), literals_.end(), std::size_t{0});
    tsql::Lexed lx;
    lx.text = batch;
    lx.tokens = std::move(literalTokens_);
    refused = !made(lx, plan.parameters, statement.parameters)
              || !made(lx, plan.conditionParameters, statement.conditionParameters);
    literalTokens_ = std::move(lx.tokens);
    if (refused) return false;
    take(plan, batch.substr(at, end - at), statement);
    at = end;
    return true;
}

bool StatementShapes::replayText(std::string_view batch, std::size_t& at, TsqlStatement& statement)
{
    last_ = nullptr;
    while ((at = tsql::blanksEnd(batch, at)) < batch.size() && batch[at] == ';') ++at;
    if (at == batch.size()) return false;
    // Text of one shape never reads as another's (where a statement ends is decided by its words alone), so
    // the plan that followed the last one before is tried first, and the others that open alike only when
    // it is not that one.
    bool refused = false;
    Plan* const predicted = before_ ? before_->next : nullptr;
    if (predicted && replayedAs(*predicted, batch, at, statement, refused)) return true;
    if (refused) return false;
    for (const std::size_t size : openingSizes_) {
        if (batch.size() - at < size) continue;
        const auto found = openings_.find(batch.substr(at, size));
        if (found == openings_.end()) continue;
        for (Plan* plan : found->second) {
            if (plan == predicted) continue;
            if (replayedAs(*plan, batch, at, statement, refused)) return true;
            if (refused) return false;
        }
    }
    return false;
}

void StatementShapes::endedBy(const Token& next)
{
    if (last_ && next.type == Tok::Word && next.kw != Kw::None) last_->closers.set(static_cast<std::size_t>(next.kw));
}

bool StatementShapes::keepsAlike(const tsql::Lexed& lx, const Plan& plan) const
{
    for (std::size_t k = 0; k < plan.kept.size(); ++k)
        if (!plan.kept[k].empty() && lx.textOf(lx.tokens[literals_[k]]) != plan.kept[k]) return false;
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
        Parameter& parameter = plan.emplace_back();
        parameter.literal = literal;
        parameter.rule = source.rule;
        parameter.negative = source.negative;
    }
    return true;
}

void StatementShapes::remember(const tsql::Lexed& lx, tsql::Span span, const TsqlStatement& statement,
                               const std::vector<tsql::ParameterSource>& sources,
                               const std::vector<tsql::ParameterSource>& conditionSources)
{
    using Kind = TsqlStatement::Kind;
    last_ = nullptr;
    if (statement.kind == Kind::Unsupported || statement.kind == Kind::DateFormat
        || statement.kind == Kind::IdentityInsert || statement.changesSchema
        || statement.rulesUnknown || statement.storeError != 0)
        return;
    readShape(lx, span);
    Plan plan;
    std::vector<bool> used(literals_.size(), false);
    if (!planned(sources, plan.parameters, used) || !planned(conditionSources, plan.conditionParameters, used)) return;
    // A literal that goes to no parameter stays in the text: only the same literal there makes the same text.
    plan.kept.resize(literals_.size());
    for (std::size_t k = 0; k < literals_.size(); ++k)
        if (!used[k]) plan.kept[k] = std::string(lx.textOf(lx.tokens[literals_[k]]));
    plan.kind = statement.kind;
    plan.sql = statement.sql;
    plan.condition = statement.condition;
    plan.negate = statement.negate;
    keepText(lx, span, plan);
    if (plans_.size() >= kMostShapes) clear();
    Plan& kept = plans_.insert_or_assign(key_, std::move(plan)).first->second;
    index(kept);
    markUsed(&kept);
}

}  // namespace db::sqlite
