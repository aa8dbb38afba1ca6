#include "platform/db/sqlite/TsqlBatch.h"

#include "platform/db/sqlite/TsqlLexer.h"
#include "platform/db/sqlite/SqliteTypes.h"
#include "platform/db/sqlite/TsqlShapes.h"
#include "platform/db/sqlite/TsqlSplitter.h"
#include "platform/db/sqlite/TsqlStore.h"
#include "platform/db/sqlite/TsqlWalker.h"

#include <charconv>
#include <cstdlib>
#include <string>
#include <utility>

namespace db::sqlite {

namespace {

using tsql::isIdentifier;
using tsql::Kw;
using tsql::kNowhere;
using tsql::Lexed;
using tsql::Rules;
using tsql::Span;
using tsql::StoreRewriter;
using tsql::Tok;
using tsql::Token;
using tsql::upper;
using tsql::Writer;
using Kind = TsqlStatement::Kind;

Rules dml(Kw lead, int fromAllowed = 0)
{
    Rules rules;
    rules.collate = true;
    rules.lead = lead;
    rules.fromAllowed = fromAllowed;
    return rules;
}

constexpr Rules kDdl{};
constexpr Rules kDdlWithoutClustered{false, Kw::None, 0, true};

// Rewrites one statement of the batch: recognises what kind it is, makes the rewrites that concern the
// statement as a whole and lets the walker write the tokens.
class StatementRewriter {
public:
    StatementRewriter(const Lexed& lx, Span span, ColumnRules* rules)
        : lx_(lx), tk_(lx.tokens), first_(span.first), last_(span.last), walker_(lx), rules_(rules)
    {
        walker_.knowTypes(rules, first_, last_);
    }

    // Where the parameters of the statement run() made, and of its condition, were read.
    const std::vector<tsql::ParameterSource>& sources() const { return sources_; }
    const std::vector<tsql::ParameterSource>& conditionSources() const { return conditionSources_; }

    TsqlStatement run()
    {
        const Token& lastToken = tk_[last_ - 1];
        result_.original = std::string(lx_.text.substr(tk_[first_].begin, lastToken.end - tk_[first_].begin));
        if (lastToken.type == Tok::Error) return unsupported(std::string(lx_.error));

        switch (kwAt(first_)) {
        case Kw::Select: return walkAll(dml(Kw::Select));
        case Kw::Insert: return insert();
        case Kw::Update: return update();
        case Kw::Delete: return remove();
        case Kw::If: return conditional();
        case Kw::Begin: case Kw::Commit: case Kw::Rollback: return transaction();
        case Kw::Set: return session();
        case Kw::Truncate: return truncate();
        case Kw::Alter: result_.changesSchema = true; return alter();
        case Kw::Create: result_.changesSchema = true; return create();
        case Kw::Drop: result_.changesSchema = true; return drop();
        case Kw::Grant: case Kw::Revoke: case Kw::Deny:
            // An embedded database has no logins to give permissions to.
            result_.kind = Kind::NoOp;
            return std::move(result_);
        default:
            return unsupported("statement beginning with " + quoted(first_) + " is not supported");
        }
    }

private:
    Kw kwAt(std::size_t i) const { return i < last_ && tk_[i].type == Tok::Word ? tk_[i].kw : Kw::None; }
    Tok typeAt(std::size_t i) const { return i < last_ ? tk_[i].type : Tok::Error; }
    std::string_view textAt(std::size_t i) const { return i < last_ ? lx_.textOf(tk_[i]) : std::string_view(); }
    std::string wordAt(std::size_t i) const { return upper(textAt(i)); }
    std::string quoted(std::size_t i) const
    {
        return i < last_ ? "'" + std::string(textAt(i)) + "'" : std::string("nothing");
    }
    bool isName(std::size_t i) const
    {
        return i < last_ && isIdentifier(tk_[i]) && textAt(i).front() != '@' && textAt(i).front() != '#';
    }

    TsqlStatement unsupported(std::string why)
    {
        result_.kind = Kind::Unsupported;
        result_.sql.clear();
        result_.condition.clear();
        result_.parameters.clear();
        result_.conditionParameters.clear();
        result_.negate = false;
        result_.error = std::move(why);
        return std::move(result_);
    }

    TsqlStatement written(Writer& w)
    {
        if (walker_.failed()) return unsupported(walker_.error());
        result_.kind = Kind::Plain;
        result_.rulesUnknown = result_.rulesUnknown || walker_.typesUnknown();
        result_.sql = w.take();
        result_.parameters = w.takeParameters();
        sources_ = w.takeSources();
        return std::move(result_);
    }

    TsqlStatement walkAll(const Rules& rules)
    {
        Writer w;
        walker_.walk(w, first_, last_, rules);
        return written(w);
    }

    // The index just past an [owner.]name starting at i; i itself when there is none.
    std::size_t nameEnd(std::size_t i) const
    {
        if (!isName(i)) return i;
        std::size_t end = i + 1;
        while (typeAt(end) == Tok::Dot && isName(end + 1)) end += 2;
        return end;
    }

    // The ")" matching the "(" at `open`, or kNowhere.
    std::size_t matching(std::size_t open) const
    {
        int depth = 0;
        for (std::size_t i = open; i < last_; ++i) {
            if (tk_[i].type == Tok::LParen) ++depth;
            else if (tk_[i].type == Tok::RParen && --depth == 0) return i;
        }
        return kNowhere;
    }

    // Writes an INSERT or UPDATE through the column rules; false when it is to be written as it stands.
    bool stored(Writer& w, bool (StoreRewriter::*write)(Writer&))
    {
        if (!rules_) return false;
        StoreRewriter store(lx_, first_, last_, walker_, *rules_);
        result_.rulesUnknown = store.tableUnknown();
        if (!(store.*write)(w)) {
            result_.rulesUnknown = store.tableUnknown();
            return false;
        }
        result_.storeError = store.refusal().native;
        result_.storeErrorText = store.refusal().message;
        return true;
    }

    TsqlStatement update()
    {
        Writer w;
        if (stored(w, &StoreRewriter::update)) return written(w);
        return walkAll(dml(Kw::Update));
    }

    // INSERT t ... gains its INTO; INSERT ... (SELECT ...) loses the parentheses (the walker drops them).
    TsqlStatement insert()
    {
        const std::size_t target = first_ + 1;
        if (Writer stored_(result_.original.size() + 64); stored(stored_, &StoreRewriter::insert))
            return written(stored_);
        Writer w;
        if (kwAt(target) != Kw::Into) {
            if (!isName(target)) return unsupported("INSERT followed by " + quoted(target) + " is not understood");
            w.token(textAt(first_), false);
            w.word("INTO");
            walker_.walk(w, target, last_, dml(Kw::Insert));
        } else {
            walker_.walk(w, first_, last_, dml(Kw::Insert));
        }
        return written(w);
    }

    // DELETE t WHERE ... gains its FROM; a second FROM (DELETE t FROM t JOIN ...) the walker refuses.
    TsqlStatement remove()
    {
        const std::size_t target = first_ + 1;
        if (kwAt(target) == Kw::From) return walkAll(dml(Kw::Delete, 1));
        if (!isName(target)) return unsupported("DELETE followed by " + quoted(target) + " is not understood");
        Writer w;
        w.token(textAt(first_), false);
        w.word("FROM");
        walker_.walk(w, target, last_, dml(Kw::Delete, 0));
        return written(w);
    }

    // IF [NOT] EXISTS (query) statement: the query becomes SELECT EXISTS (...), run before the statement.
    TsqlStatement conditional()
    {
        std::size_t i = first_ + 1;
        const bool negate = kwAt(i) == Kw::Not;
        if (negate) ++i;
        if (kwAt(i) != Kw::Exists || typeAt(i + 1) != Tok::LParen) {
            return unsupported("IF on a condition other than [NOT] EXISTS (...) is not supported");
        }
        const std::size_t open = i + 1;
        const std::size_t close = matching(open);
        if (close == kNowhere) return unsupported("unbalanced parentheses in the IF condition");
        if (close == open + 1) return unsupported("IF EXISTS () without a query");
        const std::size_t body = close + 1;
        if (body >= last_) return unsupported("IF without a statement to run");
        const Kw head = kwAt(body);
        if (head == Kw::None || head == Kw::And || head == Kw::Or) {
            return unsupported("IF on a condition other than [NOT] EXISTS (...) is not supported");
        }
        const Kw afterBegin = kwAt(body + 1);
        if (head == Kw::Begin && afterBegin != Kw::Tran && afterBegin != Kw::Transaction) {
            return unsupported("IF ... BEGIN ... END is not supported");
        }
        int depth = 0;
        int cases = 0;
        for (std::size_t j = body; j < last_; ++j) {
            const Token& t = tk_[j];
            if (t.type == Tok::LParen) ++depth;
            else if (t.type == Tok::RParen) --depth;
            else if (depth != 0 || t.type != Tok::Word) continue;
            else if (t.kw == Kw::Case) ++cases;
            else if (t.kw == Kw::End && cases > 0) --cases;
            else if (t.kw == Kw::Else && cases == 0) return unsupported("IF ... ELSE is not supported");
        }

        Writer condition;
        condition.open("SELECT EXISTS (");
        walker_.walk(condition, open + 1, close, dml(Kw::Select));
        condition.append(")");
        if (walker_.failed()) return unsupported(walker_.error());

        StatementRewriter guardedRewriter(lx_, Span{body, last_}, rules_);
        TsqlStatement guarded = guardedRewriter.run();
        if (guarded.kind == Kind::Unsupported) return unsupported(std::move(guarded.error));
        if (guarded.kind != Kind::Plain) {
            return unsupported("IF [NOT] EXISTS (...) followed by " + wordAt(body) + " is not supported");
        }
        result_.kind = Kind::Conditional;
        result_.condition = condition.take();
        result_.conditionParameters = condition.takeParameters();
        conditionSources_ = condition.takeSources();
        sources_ = guardedRewriter.sources();
        result_.negate = negate;
        result_.sql = std::move(guarded.sql);
        result_.parameters = std::move(guarded.parameters);
        result_.storeError = guarded.storeError;
        result_.storeErrorText = std::move(guarded.storeErrorText);
        result_.rulesUnknown = guarded.rulesUnknown || walker_.typesUnknown();
        result_.changesSchema = guarded.changesSchema;
        return std::move(result_);
    }

    // BEGIN TRAN[SACTION] [name], COMMIT / ROLLBACK [TRAN | TRANSACTION | WORK] [name].
    TsqlStatement transaction()
    {
        const Kw head = kwAt(first_);
        std::size_t i = first_ + 1;
        Kind kind = Kind::BeginTransaction;
        if (head == Kw::Begin) {
            // A single embedded database makes a distributed transaction an ordinary one.
            if (kwAt(i) == Kw::Distributed) ++i;
            if (kwAt(i) != Kw::Tran && kwAt(i) != Kw::Transaction) return unsupported("BEGIN ... END is not supported");
            ++i;
        } else {
            if (kwAt(i) == Kw::Tran || kwAt(i) == Kw::Transaction || kwAt(i) == Kw::Work) ++i;
            kind = head == Kw::Commit ? Kind::CommitTransaction : Kind::RollbackTransaction;
        }
        if (isName(i)) ++i;
        if (i < last_) {
            return unsupported(wordAt(first_) + " TRANSACTION followed by " + quoted(i) + " is not supported");
        }
        result_.kind = kind;
        return std::move(result_);
    }

    TsqlStatement session()
    {
        const std::size_t option = first_ + 1;
        if (option >= last_) return unsupported("SET without an option");
        const std::string_view word = textAt(option);
        if (word.front() == '@') {
            return unsupported("assigning the T-SQL variable " + std::string(word) + " is not supported");
        }
        if (tsql::equalsIgnoreCase(word, "DATEFORMAT")) return dateFormat(option + 1);
        if (tsql::equalsIgnoreCase(word, "IDENTITY_INSERT")) return identityInsert(option + 1);
        switch (tsql::sessionOption(word)) {
        case tsql::SessionOption::Harmless: result_.kind = Kind::NoOp; return std::move(result_);
        case tsql::SessionOption::ChangesResults: return unsupported("SET " + wordAt(option) + " is not supported");
        case tsql::SessionOption::None: break;
        }
        return unsupported("SET " + wordAt(option) + " is not understood");
    }

    // SET DATEFORMAT dmy | 'dmy' | mdy ...: the order later statements read dates in. An order the server
    // does not know is refused when the statement's turn comes, and the batch goes on.
    TsqlStatement dateFormat(std::size_t order)
    {
        if (order + 1 != last_ || (typeAt(order) != Tok::Word && typeAt(order) != Tok::String))
            return unsupported("SET DATEFORMAT takes one date order");
        const std::string name = typeAt(order) == Tok::String ? Writer::unquotedLiteral(lx_.literalOf(tk_[order]))
                                                              : std::string(textAt(order));
        result_.kind = Kind::DateFormat;
        if (const std::optional<DateOrder> known = dateOrderNamed(name)) {
            result_.dateOrder = *known;
        } else {
            result_.storeError = 2741;
            result_.storeErrorText = "SET DATEFORMAT date order '" + name + "' is invalid.";
        }
        return std::move(result_);
    }

    // SET IDENTITY_INSERT [owner.]table ON | OFF.
    TsqlStatement identityInsert(std::size_t name)
    {
        const std::size_t end = nameEnd(name);
        const bool on = kwAt(end) == Kw::On;
        if (end == name || end + 1 != last_ || (!on && !tsql::equalsIgnoreCase(textAt(end), "OFF")))
            return unsupported("SET IDENTITY_INSERT takes a table and ON or OFF");
        result_.kind = Kind::IdentityInsert;
        if (on) result_.identityInsert = upper(tsql::unquotedName(textAt(end - 1)));
        return std::move(result_);
    }

    TsqlStatement truncate()
    {
        if (kwAt(first_ + 1) != Kw::Table) return unsupported("TRUNCATE without TABLE is not understood");
        const std::size_t name = first_ + 2;
        if (nameEnd(name) == name || nameEnd(name) != last_) {
            return unsupported("TRUNCATE TABLE takes exactly one table name");
        }
        Writer w;
        w.token("DELETE FROM", false);
        walker_.walk(w, name, last_, kDdl);
        return written(w);
    }

    TsqlStatement alter()
    {
        if (kwAt(first_ + 1) != Kw::Table) return unsupported("ALTER " + wordAt(first_ + 1) + " is not supported");
        const std::size_t name = first_ + 2;
        const std::size_t end = nameEnd(name);
        if (end == name) return unsupported("ALTER TABLE without a table name");
        if (kwAt(end) == Kw::Add) return addColumn(end);
        if (kwAt(end) == Kw::Drop && kwAt(end + 1) == Kw::Column) {
            if (!isName(end + 2) || end + 3 != last_) {
                return unsupported("ALTER TABLE ... DROP COLUMN takes exactly one column name");
            }
            return walkAll(kDdl);
        }
        std::string what = wordAt(end);
        if (kwAt(end) == Kw::Drop || kwAt(end) == Kw::Alter) what += " " + wordAt(end + 1);
        return unsupported("ALTER TABLE ... " + what + " is not supported");
    }

    // ALTER TABLE t ADD c type [NULL | NOT NULL] [CONSTRAINT DF_x] [DEFAULT (v)] [WITH VALUES]
    //   -> ALTER TABLE t ADD COLUMN c type [COLLATE SQLSRV] [NULL | NOT NULL] [DEFAULT (v)]
    TsqlStatement addColumn(std::size_t add)
    {
        std::size_t column = add + 1;
        if (kwAt(column) == Kw::Column) ++column;
        if (!isName(column)) return unsupported("ALTER TABLE ... ADD " + wordAt(column) + " is not supported");
        const std::size_t type = column + 1;
        if (typeAt(type) != Tok::Word && typeAt(type) != Tok::QuotedIdent) {
            return unsupported("ALTER TABLE ... ADD " + std::string(textAt(column)) + " without a type");
        }
        std::size_t typeEnd = type + 1;
        if (typeAt(typeEnd) == Tok::LParen) {
            const std::size_t close = matching(typeEnd);
            if (close == kNowhere) return unsupported("unbalanced parentheses in the column type");
            typeEnd = close + 1;
        }
        const bool text = tsql::isTextType(textAt(type));

        Writer w;
        walker_.walk(w, first_, add + 1, kDdl);
        w.word("COLUMN");
        columnType(w, column, type, typeEnd, text && !hasCollate(typeEnd, last_));
        std::size_t i = typeEnd;
        while (i < last_ && !walker_.failed()) {
            switch (kwAt(i)) {
            case Kw::Null:
                walker_.walk(w, i, i + 1, kDdl);
                i += 1;
                continue;
            case Kw::Not:
                if (kwAt(i + 1) != Kw::Null) break;
                walker_.walk(w, i, i + 2, kDdl);
                i += 2;
                continue;
            case Kw::Constraint:
                // SQLite has no named defaults; the name would only serve a later DROP CONSTRAINT.
                if (!isName(i + 1) || kwAt(i + 2) != Kw::Default) {
                    return unsupported("ALTER TABLE ... ADD with a CONSTRAINT other than a DEFAULT is not supported");
                }
                w.skip(tk_[i].spaceBefore);
                i += 2;
                continue;
            case Kw::Default: {
                const std::size_t end = defaultEnd(i + 1);
                if (end == i + 1) return unsupported("DEFAULT without a value it can take");
                columnDefault(w, i, end, fixedWidth(type, typeEnd), kDdl);
                i = end;
                continue;
            }
            case Kw::Collate:
                if (!text || i + 1 >= last_) return unsupported("COLLATE on a column that is not text");
                walker_.walk(w, i, i + 2, kDdl);  // the walker checks it and writes ours
                i += 2;
                continue;
            case Kw::With:
                // SQLite gives existing rows the default in any case.
                if (kwAt(i + 1) != Kw::Values) break;
                w.skip(tk_[i].spaceBefore);
                i += 2;
                continue;
            default: break;
            }
            if (typeAt(i) == Tok::Comma) {
                return unsupported("adding several columns in one ALTER TABLE is not supported");
            }
            return unsupported("ALTER TABLE ... ADD ... " + wordAt(i) + " is not supported");
        }
        return written(w);
    }

    // The width of a char(n) or nchar(n) column whose type is tokens [type, typeEnd); 0 for any other type.
    int fixedWidth(std::size_t type, std::size_t typeEnd) const
    {
        const std::string_view name = tsql::unquotedName(textAt(type));
        if (!tsql::equalsIgnoreCase(name, "char") && !tsql::equalsIgnoreCase(name, "nchar")) return 0;
        if (typeEnd != type + 4 || typeAt(type + 2) != Tok::Number) return 0;
        return std::atoi(std::string(textAt(type + 2)).c_str());
    }

    // DEFAULT value, tokens [begin, end). A text for a char(n) column is padded to n, as the server keeps it:
    // the database, not the rewriter, fills it in.
    void columnDefault(Writer& w, std::size_t begin, std::size_t end, int width, const Rules& rules)
    {
        const bool parens = typeAt(begin + 1) == Tok::LParen;
        const std::size_t literal = parens ? begin + 2 : begin + 1;
        if (width == 0 || typeAt(literal) != Tok::String || end != literal + (parens ? 2 : 1)) {
            walker_.walk(w, begin, end, rules);
            return;
        }
        std::string value = Writer::unquotedLiteral(lx_.literalOf(tk_[literal]));
        padText(value, width);
        w.token(textAt(begin), tk_[begin].spaceBefore);
        w.token(Writer::spelledLiteral({SqlParameter::Type::Text, std::move(value)}), true);
    }

    // The end of a column default: [sign] (expression) | function(...) | word | number | literal.
    std::size_t defaultEnd(std::size_t value) const
    {
        std::size_t i = value;
        if (typeAt(i) == Tok::Other && (textAt(i) == "-" || textAt(i) == "+")) ++i;
        std::size_t open = kNowhere;
        if (typeAt(i) == Tok::LParen) open = i;
        else if (typeAt(i) == Tok::Word && typeAt(i + 1) == Tok::LParen) open = i + 1;
        if (open != kNowhere) {
            const std::size_t close = matching(open);
            return close == kNowhere ? value : close + 1;
        }
        if (typeAt(i) == Tok::Word || typeAt(i) == Tok::Number || typeAt(i) == Tok::String) return i + 1;
        return value;
    }

    TsqlStatement create()
    {
        const std::size_t what = first_ + 1;
        switch (kwAt(what)) {
        case Kw::Table: return createTable();
        case Kw::View: return walkAll(kDdl);
        case Kw::Unique: case Kw::Clustered: case Kw::Nonclustered: case Kw::Index: {
            std::size_t i = what;
            while (kwAt(i) == Kw::Unique || kwAt(i) == Kw::Clustered || kwAt(i) == Kw::Nonclustered) ++i;
            if (kwAt(i) != Kw::Index) return unsupported("CREATE " + wordAt(i) + " is not supported");
            return walkAll(kDdlWithoutClustered);
        }
        case Kw::Or:
            return unsupported("CREATE OR " + wordAt(what + 1) + " " + wordAt(what + 2) + " is not supported");
        default:
            return unsupported("CREATE " + wordAt(what) + " is not supported");
        }
    }

    // A column's name and type, with the word that gives it its affinity (see SqliteTypes.h) and, on a text
    // column that names no collation of its own, ours after it.
    void columnType(Writer& w, std::size_t column, std::size_t type, std::size_t typeEnd, bool collate)
    {
        walker_.walk(w, column, type, kDdl);
        if (const std::string_view word = affinityWord(tsql::unquotedName(textAt(type))); !word.empty()) w.word(word);
        walker_.walk(w, type, typeEnd, kDdl);
        if (collate) {
            w.append(" COLLATE ");
            w.append(kSqlServerCollation);
        }
    }

    bool hasCollate(std::size_t begin, std::size_t end) const
    {
        for (std::size_t i = begin; i < end; ++i)
            if (kwAt(i) == Kw::Collate) return true;
        return false;
    }

    // CREATE TABLE t (column type ..., CONSTRAINT ...): its columns get what the schema's columns have.
    TsqlStatement createTable()
    {
        const std::size_t name = first_ + 2;
        const std::size_t open = nameEnd(name);
        if (open == name || typeAt(open) != Tok::LParen || matching(open) != last_ - 1)
            return walkAll(kDdlWithoutClustered);
        Writer w;
        walker_.walk(w, first_, open, kDdlWithoutClustered);
        w.token("(", tk_[open].spaceBefore);
        std::size_t from = open + 1;
        while (from < last_ - 1 && !walker_.failed()) {
            int depth = 0;
            std::size_t to = from;
            for (; to < last_ - 1; ++to) {
                if (tk_[to].type == Tok::LParen) ++depth;
                else if (tk_[to].type == Tok::RParen) --depth;
                else if (depth == 0 && tk_[to].type == Tok::Comma) break;
            }
            const bool column = isName(from) && (typeAt(from + 1) == Tok::Word || typeAt(from + 1) == Tok::QuotedIdent);
            if (column) {
                std::size_t typeEnd = from + 2;
                if (typeAt(typeEnd) == Tok::LParen) typeEnd = matching(typeEnd) + 1;
                if (typeEnd == kNowhere + 1 || typeEnd > to) return unsupported("unbalanced parentheses in a column type");
                columnType(w, from, from + 1, typeEnd,
                           tsql::isTextType(textAt(from + 1)) && !hasCollate(typeEnd, to));
                std::size_t tail = typeEnd;
                for (std::size_t i = typeEnd; i < to && !walker_.failed(); ++i) {
                    const std::size_t end = kwAt(i) == Kw::Default ? defaultEnd(i + 1) : i + 1;
                    if (end == i + 1) continue;
                    walker_.walk(w, tail, i, kDdlWithoutClustered);
                    columnDefault(w, i, end, fixedWidth(from + 1, typeEnd), kDdlWithoutClustered);
                    tail = end;
                    i = end - 1;
                }
                walker_.walk(w, tail, to, kDdlWithoutClustered);
            } else {
                walker_.walk(w, from, to, kDdlWithoutClustered);
            }
            if (to < last_ - 1) w.token(",", false);
            from = to + 1;
        }
        w.token(")", false);
        return written(w);
    }

    TsqlStatement drop()
    {
        const std::size_t what = first_ + 1;
        std::size_t name = what + 1;
        if (kwAt(name) == Kw::If && kwAt(name + 1) == Kw::Exists) name += 2;
        const std::size_t end = nameEnd(name);
        switch (kwAt(what)) {
        case Kw::Table: case Kw::View: case Kw::Trigger:
            if (end == name || end != last_) {
                return unsupported(typeAt(end) == Tok::Comma ? "DROP of several objects at once is not supported"
                                                             : "DROP " + wordAt(what) + " takes exactly one name");
            }
            return walkAll(kDdl);
        case Kw::Index: {
            // DROP INDEX t.ix or DROP INDEX ix ON t: SQLite's index names are unique in the database, so
            // only the index's own name is kept.
            const bool onTable = kwAt(end) == Kw::On && nameEnd(end + 1) == last_ && end + 1 < last_;
            if (end == name || (end != last_ && !onTable)) return unsupported("DROP INDEX takes one index name");
            Writer w;
            walker_.walk(w, first_, name, kDdl);
            w.token(textAt(end - 1), true);
            return written(w);
        }
        default: return unsupported("DROP " + wordAt(what) + " is not supported");
        }
    }

    const Lexed& lx_;
    const std::vector<Token>& tk_;
    std::size_t first_;
    std::size_t last_;
    tsql::Walker walker_;
    ColumnRules* rules_;
    TsqlStatement result_;
    std::vector<tsql::ParameterSource> sources_;
    std::vector<tsql::ParameterSource> conditionSources_;
};

}  // namespace

std::string SqlParameter::spelled() const
{
    if (!read) return value;
    if (type == Type::Integer) return std::to_string(whole);
    char digits[64];
    const auto written = std::to_chars(digits, digits + sizeof digits, real);  // the shortest that reads back as it
    return std::string(digits, written.ptr);
}

std::vector<TsqlStatement> splitBatch(std::string_view batch, ColumnRules* rules, StatementShapes* shapes)
{
    // The tokens' room is kept from batch to batch: a batch of a few hundred rows needs more than a
    // megabyte, which the allocator would otherwise map and fault in anew every time.
    thread_local std::vector<Token> room;
    constexpr std::size_t kMostKept = std::size_t{1} << 17;
    std::vector<TsqlStatement> statements;
    // Room for a unit of work's few statements and the one a replay tries next, made once.
    statements.reserve(8);
    // Statements of a remembered shape are read from the text; the rest of the batch is tokenized and split
    // the first time one is not, and again only if the two readings ever part.
    Lexed lx;
    lx.tokens = std::move(room);
    std::vector<Span> spans;
    bool tokenized = false;
    std::size_t next = 0;  // the first of `spans` not yet handled
    std::size_t at = 0;    // where the batch is still to be read
    for (;;) {
        if (shapes) {
            while (shapes->replayText(batch, at, statements.emplace_back())) {
            }
            statements.pop_back();
        }
        // Nothing is left of the batch to tokenize.
        if (at == batch.size()) break;
        while (tokenized && next < spans.size() && lx.tokens[spans[next].first].begin < at) ++next;
        if (!tokenized || (next > 0 && lx.tokens[spans[next - 1].last - 1].end > at)) {
            lx = tsql::tokenize(batch, std::move(lx.tokens), at);
            spans = tsql::findStatements(lx);
            tokenized = true;
            next = 0;
        }
        if (next == spans.size()) break;
        const Span span = spans[next++];
        if (!shapes || !shapes->replay(lx, span, statements.emplace_back())) {
            if (shapes) statements.pop_back();
            StatementRewriter rewriter(lx, span, rules);
            statements.push_back(rewriter.run());
            const TsqlStatement& made = statements.back();
            if (rules && made.kind == Kind::DateFormat && made.storeError == 0) rules->dateOrder = made.dateOrder;
            if (rules && made.kind == Kind::IdentityInsert && made.identityInsert != rules->identityInsert) {
                // Statements remembered with the other setting store identities otherwise.
                rules->identityInsert = made.identityInsert;
                if (shapes) shapes->clear();
            }
            if (shapes) shapes->remember(lx, span, statements.back(), rewriter.sources(), rewriter.conditionSources());
        }
        if (shapes && span.last < lx.tokens.size()) shapes->endedBy(lx.tokens[span.last]);
        at = lx.tokens[span.last - 1].end;
    }
    if (lx.tokens.capacity() <= kMostKept) room = std::move(lx.tokens);
    return statements;
}

}  // namespace db::sqlite
