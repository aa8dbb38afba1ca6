#include "platform/db/sqlite/TsqlSplitter.h"

#include <cstdint>
#include <utility>

namespace db::sqlite::tsql {

namespace {

constexpr std::string_view kHarmlessOptions[] = {
    "NOCOUNT", "ANSI_NULLS", "ANSI_WARNINGS", "ANSI_PADDING", "ANSI_NULL_DFLT_ON",
    "ANSI_NULL_DFLT_OFF", "ANSI_DEFAULTS", "ARITHABORT", "ARITHIGNORE", "CONCAT_NULL_YIELDS_NULL",
    "NUMERIC_ROUNDABORT", "QUOTED_IDENTIFIER", "XACT_ABORT", "TRANSACTION", "LANGUAGE", "IDENTITY_INSERT",
    "LOCK_TIMEOUT", "DEADLOCK_PRIORITY", "TEXTSIZE", "CURSOR_CLOSE_ON_COMMIT", "STATISTICS", "FORCEPLAN",
    "REMOTE_PROC_TRANSACTIONS",
};

// Accepting these silently would make the embedded engine answer differently from the server.
constexpr std::string_view kResultChangingOptions[] = {
    "ROWCOUNT", "DATEFIRST", "IMPLICIT_TRANSACTIONS", "NOEXEC", "FMTONLY", "PARSEONLY",
    "SHOWPLAN_ALL", "SHOWPLAN_TEXT", "SHOWPLAN_XML", "CONTEXT_INFO", "OFFSETS",
};

// Words that can only begin a statement when they appear outside parentheses.
bool beginsStatement(Kw kw)
{
    switch (kw) {
    case Kw::Select: case Kw::Insert: case Kw::Update: case Kw::Delete: case Kw::If: case Kw::Begin:
    case Kw::Commit: case Kw::Rollback: case Kw::Set: case Kw::Truncate: case Kw::Alter: case Kw::Create:
    case Kw::Drop: case Kw::Grant: case Kw::Revoke: case Kw::Deny: case Kw::Declare: case Kw::Exec:
    case Kw::Execute: case Kw::Print: case Kw::While: case Kw::Return: case Kw::Save: case Kw::Merge:
    case Kw::Use: case Kw::Raiserror:
        return true;
    default:
        return false;
    }
}

bool namesObjectKind(Kw kw)
{
    switch (kw) {
    case Kw::Table: case Kw::View: case Kw::Index: case Kw::Trigger: case Kw::Procedure: case Kw::Proc:
    case Kw::Function:
        return true;
    default:
        return false;
    }
}

enum class Lead : std::uint8_t {
    Insert,  // its first SELECT (or EXEC) is its source
    Update,  // its first SET is its own
    Grant,   // GRANT / REVOKE / DENY: the privilege list names statements
    Ddl,     // CREATE / ALTER / DROP
    If,      // IF or WHILE: a condition, then one statement (and for IF an ELSE and another)
    Block,   // BEGIN ... END
    With,    // common table expressions ahead of a statement
    Other,
};

enum class Phase : std::uint8_t { Condition, Body, ElseWait, ElseBody };

// What is open at one level of a statement; IF nests the statement it guards as the next level.
struct Frame {
    Lead lead = Lead::Other;
    Phase phase = Phase::Condition;
    bool done = false;  // INSERT: its source has begun; UPDATE: SET seen; GRANT: past the privileges
    int open = 0;       // Block: BEGIN and CASE not yet matched by END
};

enum class Tail : std::uint8_t {
    No,
    UntilSemicolon,  // CREATE VIEW: the rest of the batch, but a ";" still ends it
    All,             // procedure, function and trigger bodies hold statements and ";" of their own
};

class Splitter {
public:
    explicit Splitter(const Lexed& lx) : lx_(lx), tk_(lx.tokens) {}

    std::vector<Span> run()
    {
        for (std::size_t i = 0; i < tk_.size(); ++i) {
            const Token& t = tk_[i];
            if (t.type == Tok::Semicolon && tail_ != Tail::All) {
                close(i);
                continue;
            }
            pushed_ = false;
            if (frames_.empty()) {
                begin(i);
            } else if (depth_ == 0 && tail_ == Tail::No && t.type == Tok::Word && beginsStatement(t.kw)
                       && !continues(0, i)) {
                close(i);
                begin(i);
            } else if (!pushed_) {
                observe(i);
            }
            track(i);
        }
        close(tk_.size());
        return std::move(spans_);
    }

private:
    Kw kwAt(std::size_t i) const { return i < tk_.size() && tk_[i].type == Tok::Word ? tk_[i].kw : Kw::None; }

    bool beginsTransaction(std::size_t begin) const
    {
        const Kw next = kwAt(begin + 1);
        return next == Kw::Tran || next == Kw::Transaction || next == Kw::Distributed;
    }

    // SET NOCOUNT ON after an UPDATE's own SET. A column that happens to share an option's name is told
    // apart by what follows it: an assignment, or the dot of a qualified name.
    bool optionFollows(std::size_t set) const
    {
        if (set + 1 >= tk_.size() || tk_[set + 1].type != Tok::Word) return false;
        if (sessionOption(lx_.textOf(tk_[set + 1])) == SessionOption::None) return false;
        if (set + 2 >= tk_.size()) return true;
        const Token& after = tk_[set + 2];
        return after.type != Tok::Dot && lx_.textOf(after) != "=";
    }

    Frame frameFor(std::size_t i)
    {
        Frame f;
        switch (kwAt(i)) {
        case Kw::Insert: f.lead = Lead::Insert; break;
        case Kw::Update: f.lead = Lead::Update; break;
        case Kw::Grant: case Kw::Revoke: case Kw::Deny: f.lead = Lead::Grant; break;
        case Kw::If: case Kw::While: f.lead = Lead::If; break;
        case Kw::With: f.lead = Lead::With; break;
        case Kw::Begin:
            if (!beginsTransaction(i)) {
                f.lead = Lead::Block;
                f.open = 1;
            }
            break;
        case Kw::Create: case Kw::Alter: case Kw::Drop: {
            f.lead = Lead::Ddl;
            std::size_t what = i + 1;
            if (kwAt(what) == Kw::Or && kwAt(what + 1) == Kw::Alter) what += 2;
            const Kw kind = kwAt(i) == Kw::Drop ? Kw::None : kwAt(what);
            // SQL Server wants these alone in their batch, so whatever follows is part of them.
            if (kind == Kw::View) tail_ = Tail::UntilSemicolon;
            if (kind == Kw::Trigger || kind == Kw::Procedure || kind == Kw::Proc || kind == Kw::Function) {
                tail_ = Tail::All;
            }
            break;
        }
        default: break;
        }
        return f;
    }

    // Whether statement keyword i, at the top level, still belongs to the statement whose level `level` is
    // being asked. An IF hands the question to the statement it guards.
    bool continues(std::size_t level, std::size_t i)
    {
        Frame& f = frames_[level];
        const Kw kw = kwAt(i);
        if (f.lead == Lead::If) {
            if (f.phase == Phase::Condition || f.phase == Phase::ElseWait) {
                f.phase = f.phase == Phase::Condition ? Phase::Body : Phase::ElseBody;
                frames_.push_back(frameFor(i));
                pushed_ = true;
                return true;
            }
            return continues(level + 1, i);
        }
        if (f.lead == Lead::Block) return f.open > 0;

        const bool afterSetOperator = prev_ == Kw::Union || prev_ == Kw::Except || prev_ == Kw::Intersect
                                      || (prev_ == Kw::All && prev2_ == Kw::Union);
        if (kw == Kw::Select && afterSetOperator) return true;
        // ON DELETE CASCADE, ON UPDATE SET NULL, MERGE ... THEN UPDATE SET ...
        if ((kw == Kw::Delete || kw == Kw::Update) && prev_ == Kw::On) return true;
        if ((kw == Kw::Insert || kw == Kw::Update || kw == Kw::Delete) && prev_ == Kw::Then) return true;
        if (kw == Kw::Set && (prev_ == Kw::Update || (prev_ == Kw::Delete && prev2_ == Kw::On))) return true;

        switch (f.lead) {
        case Lead::Insert: return !f.done && (kw == Kw::Select || kw == Kw::Exec || kw == Kw::Execute);
        case Lead::Update: return kw == Kw::Set && !f.done && !optionFollows(i);
        case Lead::Grant: return !f.done;
        case Lead::Ddl: {
            const Kw next = kwAt(i + 1);
            return (kw == Kw::If && namesObjectKind(prev_)) || (kw == Kw::Alter && prev_ == Kw::Or)
                   || ((kw == Kw::Alter || kw == Kw::Drop) && (next == Kw::Column || next == Kw::Constraint));
        }
        case Lead::With:
            if (kw == Kw::Select || kw == Kw::Insert || kw == Kw::Update || kw == Kw::Delete) {
                f = frameFor(i);
                return true;
            }
            return false;
        default: return false;
        }
    }

    // A token that belongs to the statement and does not open a level of its own.
    void observe(std::size_t i)
    {
        Frame& f = frames_.back();
        const Kw kw = kwAt(i);
        if (f.lead == Lead::Block && f.open > 0) {
            if ((kw == Kw::Begin && !beginsTransaction(i)) || kw == Kw::Case) ++f.open;
            else if (kw == Kw::End) --f.open;
            return;
        }
        if (depth_ != 0) return;
        switch (f.lead) {
        case Lead::Insert:
            if (kw == Kw::Select || kw == Kw::Values || kw == Kw::Exec || kw == Kw::Execute
                || (tk_[i].type == Tok::LParen && kwAt(i + 1) == Kw::Select)) {
                f.done = true;
            }
            break;
        case Lead::Update:
            if (kw == Kw::Set) f.done = true;
            break;
        case Lead::Grant:
            if (kw == Kw::On || kw == Kw::To) f.done = true;
            break;
        default: break;
        }
        if (kw == Kw::Else && caseDepth_ == 0) attachElse();
    }

    // ELSE belongs to the nearest IF whose statement is complete; the statement after it is its second.
    void attachElse()
    {
        for (std::size_t level = frames_.size(); level-- > 0;) {
            Frame& f = frames_[level];
            if (f.lead == Lead::If && f.phase == Phase::Body) {
                f.phase = Phase::ElseWait;
                frames_.resize(level + 1);
                return;
            }
        }
    }

    void track(std::size_t i)
    {
        const Token& t = tk_[i];
        if (t.type == Tok::LParen) {
            ++depth_;
        } else if (t.type == Tok::RParen) {
            if (depth_ > 0) --depth_;
        } else if (depth_ == 0 && t.kw == Kw::Case) {
            ++caseDepth_;
        } else if (depth_ == 0 && t.kw == Kw::End && caseDepth_ > 0) {
            --caseDepth_;
        }
        prev2_ = prev_;
        prev_ = kwAt(i);
    }

    void begin(std::size_t i)
    {
        start_ = i;
        frames_.push_back(frameFor(i));
    }

    void close(std::size_t end)
    {
        if (frames_.empty()) return;
        spans_.push_back({start_, end});
        frames_.clear();
        tail_ = Tail::No;
        depth_ = 0;
        caseDepth_ = 0;
        prev_ = prev2_ = Kw::None;
    }

    const Lexed& lx_;
    const std::vector<Token>& tk_;
    std::vector<Span> spans_;
    std::vector<Frame> frames_;
    std::size_t start_ = 0;
    int depth_ = 0;
    int caseDepth_ = 0;
    Kw prev_ = Kw::None;
    Kw prev2_ = Kw::None;
    Tail tail_ = Tail::No;
    bool pushed_ = false;
};

}  // namespace

SessionOption sessionOption(std::string_view word)
{
    for (std::string_view option : kHarmlessOptions) {
        if (equalsIgnoreCase(word, option)) return SessionOption::Harmless;
    }
    for (std::string_view option : kResultChangingOptions) {
        if (equalsIgnoreCase(word, option)) return SessionOption::ChangesResults;
    }
    return SessionOption::None;
}

std::vector<Span> findStatements(const Lexed& lx)
{
    return Splitter(lx).run();
}

}  // namespace db::sqlite::tsql
