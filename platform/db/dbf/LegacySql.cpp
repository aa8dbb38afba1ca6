#include "platform/db/dbf/LegacySql.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/sqlite/SqlServerErrors.h"
#include "platform/db/sqlite/SqliteTypes.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fmt/format.h>
#include <set>
#include <sqlite3.h>

namespace db::dbf {

struct LegacySqlProvider::Session {
    std::shared_ptr<sqlite::Database> db;
    // Above zero only while the provider runs its own statements.
    int ownStatements = 0;
    // The connection's error list, which a row that cannot be read is reported to as well as raised. The
    // provider lives no longer than that list and forgets it as it goes; a cursor that outlives the provider
    // only raises.
    ErrorList* errors = nullptr;
};

namespace {

// Tables a statement may name before we stop attaching more: a join of the legacy tables names a few.
constexpr int kMaxTablesPerStatement = 64;

int authorize(void* data, int action, const char*, const char*, const char*, const char*)
{
    if (static_cast<LegacySqlProvider::Session*>(data)->ownStatements > 0) return SQLITE_OK;
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

int collatePadded(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return comparePadded(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
                         std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)));
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// The table SQLite could not find, from its message "no such table: [main.]NAME".
std::optional<std::string> missingTableIn(std::string_view message)
{
    constexpr std::string_view marker = "no such table: ";
    if (!message.starts_with(marker)) return std::nullopt;
    std::string_view name = message.substr(marker.size());
    if (startsWithIgnoringCase(name, "main.")) name.remove_prefix(5);
    return std::string(name);
}

// Rows of a statement on the legacy session. Columns keep the types their tables declare: the numeric
// columns of a DBF carry their scale, so amounts come back as the exact Currency the reader made of them.
class LegacyCursor : public RowCursor {
public:
    LegacyCursor(sqlite::Statement statement, std::shared_ptr<LegacySqlProvider::Session> session, long count,
                 std::string source)
        : statement_(std::move(statement)), session_(std::move(session)), count_(count), source_(std::move(source))
    {
        sqlite3_stmt* s = statement_.get();
        const int total = sqlite3_column_count(s);
        scale_.assign(static_cast<std::size_t>(total), -1);
        for (int i = 0; i < total; ++i) {
            const char* declared = sqlite3_column_decltype(s, i);
            const std::string_view type = declared ? declared : "";
            const char* name = sqlite3_column_name(s, i);
            if (startsWithIgnoringCase(type, "numeric(")) {
                // numeric(width,scale)
                long width = 0, scale = 0;
                const char* p = declared + 8;
                const char* end = declared + type.size();
                auto [afterWidth, e1] = std::from_chars(p, end, width);
                if (afterWidth < end && *afterWidth == ',') std::from_chars(afterWidth + 1, end, scale);
                (void)e1;
                columns_.push_back({name, AdoType::Numeric, width});
                scale_[static_cast<std::size_t>(i)] = static_cast<int>(scale);
            } else {
                columns_.push_back(sqlite::describeDeclaredType(name, type));
            }
        }
    }

    // Reads the first row so a failing statement (an unreadable first record) fails at open.
    bool start(ErrorList& errors)
    {
        const int code = sqlite3_step(statement_.get());
        if (code != SQLITE_ROW && code != SQLITE_DONE) {
            errors.add(failure());
            return false;
        }
        rowWaiting_ = code == SQLITE_ROW;
        done_ = code == SQLITE_DONE;
        if (rowWaiting_) {
            // An expression has no declared type: its first value tells what it is.
            sqlite3_stmt* s = statement_.get();
            for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
                if (sqlite3_column_decltype(s, i)) continue;
                switch (sqlite3_column_type(s, i)) {
                case SQLITE_INTEGER: columns_[static_cast<std::size_t>(i)] = {columns_[static_cast<std::size_t>(i)].name, AdoType::Integer, 4}; break;
                case SQLITE_FLOAT: columns_[static_cast<std::size_t>(i)] = {columns_[static_cast<std::size_t>(i)].name, AdoType::Double, 8}; break;
                default: break;
                }
            }
        }
        return true;
    }

    const std::vector<ColumnInfo>& columns() const override { return columns_; }
    long knownCount() const override { return count_; }

    bool next(Row& row) override
    {
        if (rowWaiting_) {
            rowWaiting_ = false;
            readRow(row);
            return true;
        }
        if (done_) return false;
        const int code = sqlite3_step(statement_.get());
        if (code == SQLITE_ROW) {
            readRow(row);
            return true;
        }
        done_ = true;
        if (code != SQLITE_DONE) {
            const ProviderError error = failure();
            if (session_->errors) {
                session_->errors->clear();
                session_->errors->add(error);
            }
            throw base::Error(error.number, error.description, error.source);
        }
        return false;
    }

private:
    ProviderError failure() const
    {
        ProviderError error = sqlite::sqlServerError(session_->db->lastErrorCode(), session_->db->lastError());
        error.source = source_;
        return error;
    }

    void readRow(Row& row) const
    {
        row.resize(columns_.size());
        for (std::size_t i = 0; i < columns_.size(); ++i)
            row[i] = scale_[i] >= 0 ? numeric(static_cast<int>(i), scale_[i])
                                    : sqlite::readColumn(statement_.get(), static_cast<int>(i), columns_[i].type);
    }

    base::Value numeric(int index, int scale) const
    {
        sqlite3_stmt* s = statement_.get();
        switch (sqlite3_column_type(s, index)) {
        case SQLITE_NULL: return base::Value::null();
        case SQLITE_INTEGER: return static_cast<long long>(sqlite3_column_int64(s, index));
        case SQLITE_FLOAT: {
            const double value = sqlite3_column_double(s, index);
            // The reader's exact amounts travel as the double nearest to them; that double leads back.
            if (scale >= 1 && scale <= 4 && std::fabs(value) < 1e11) {
                const auto amount = base::Currency::fromScaled(std::llround(value * base::Currency::kScale));
                if (amount.toDouble() == value) return amount;
            }
            return value;
        }
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, index));
            const std::string_view digits(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(s, index)));
            if (auto amount = base::Currency::parse(digits)) return *amount;
            return std::string(digits);
        }
        }
    }

    sqlite::Statement statement_;
    std::shared_ptr<LegacySqlProvider::Session> session_;
    std::vector<ColumnInfo> columns_;
    std::vector<int> scale_;  // per column: the scale of a DBF numeric column, -1 for any other
    long count_;
    std::string source_;
    bool rowWaiting_ = false;
    bool done_ = false;
};

// A minimal reader of "SELECT <* | names> FROM <table> [;]".
class Words {
public:
    explicit Words(std::string_view text) : text_(text) {}

    void skipBlanks()
    {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool keyword(std::string_view word)
    {
        skipBlanks();
        if (!startsWithIgnoringCase(text_.substr(at_), word)) return false;
        const std::size_t after = at_ + word.size();
        if (after < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[after])) || text_[after] == '_'))
            return false;
        at_ = after;
        return true;
    }
    bool symbol(char c)
    {
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    std::optional<std::string> identifier()
    {
        skipBlanks();
        if (at_ >= text_.size()) return std::nullopt;
        const char open = text_[at_];
        if (open == '[' || open == '"' || open == '`') {
            const char close = open == '[' ? ']' : open;
            const std::size_t end = text_.find(close, at_ + 1);
            if (end == std::string_view::npos || end == at_ + 1) return std::nullopt;
            std::string name(text_.substr(at_ + 1, end - at_ - 1));
            at_ = end + 1;
            return name;
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_' ||
                                      text_[at_] == '$'))
            ++at_;
        if (at_ == start) return std::nullopt;
        return std::string(text_.substr(start, at_ - start));
    }
    bool atEnd()
    {
        symbol(';');
        skipBlanks();
        return at_ == text_.size();
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

int comparePadded(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    if (const int c = std::memcmp(a.data(), b.data(), common); c != 0) return c;
    // The longer text goes on against blanks.
    const std::string_view rest = a.size() > b.size() ? a.substr(common) : b.substr(common);
    const int sign = a.size() > b.size() ? 1 : -1;
    for (char c : rest)
        if (c != ' ') return static_cast<unsigned char>(c) > ' ' ? sign : -sign;
    return 0;
}

std::optional<std::string> wholeTableRead(std::string_view statement)
{
    Words words(statement);
    if (!words.keyword("SELECT")) return std::nullopt;
    if (!words.symbol('*')) {
        do {
            if (!words.identifier()) return std::nullopt;
        } while (words.symbol(','));
    }
    if (!words.keyword("FROM")) return std::nullopt;
    auto table = words.identifier();
    if (!table || !words.atEnd()) return std::nullopt;
    return table;
}

LegacySqlProvider::LegacySqlProvider(std::string description, std::string errorSource)
    : description_(std::move(description)), errorSource_(std::move(errorSource))
{
    sqlite3* handle = nullptr;
    // One connection, used by one thread: SQLite need not lock around every call.
    const int code = sqlite3_open_v2(":memory:", &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                     nullptr);
    auto db = std::make_shared<sqlite::Database>(handle);
    if (code != SQLITE_OK)
        throw base::Error(hresult::kUnspecified, "Cannot start the SQL engine for " + description_ + ": " + db->lastError(),
                          errorSource_);
    session_ = std::make_shared<Session>();
    session_->db = std::move(db);
    sqlite3_create_collation_v2(handle, kPaddedCollation, SQLITE_UTF8, nullptr, collatePadded, nullptr);
    // The session lives as long as any cursor still reading from it, so the guard's state does too.
    sqlite3_set_authorizer(handle, authorize, session_.get());
}

LegacySqlProvider::~LegacySqlProvider() { session_->errors = nullptr; }

const std::shared_ptr<sqlite::Database>& LegacySqlProvider::database() const { return session_->db; }

std::string LegacySqlProvider::quoted(std::string_view name)
{
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

ProviderError LegacySqlProvider::error(long number, long native, std::string_view state, std::string text) const
{
    return {number, native, std::string(state), std::move(text), errorSource_};
}

ProviderError LegacySqlProvider::refused(std::string_view statement) const
{
    return error(hresult::kUnspecified, 0, "HY000",
                 fmt::format("Cannot run \"{}\": {} is read-only, only statements that read are allowed", statement,
                             description_));
}

LegacySqlProvider::OwnStatements::OwnStatements(LegacySqlProvider& provider) : session_(*provider.session_)
{
    ++session_.ownStatements;
}

LegacySqlProvider::OwnStatements::~OwnStatements() { --session_.ownStatements; }

sqlite::Statement LegacySqlProvider::prepareOwn(std::string_view sql)
{
    OwnStatements own(*this);
    int code = 0;
    std::string message;
    sqlite::Statement statement = sqlite::prepare(session_->db, sql, code, message);
    if (!statement)
        throw base::Error(hresult::kUnspecified, fmt::format("Cannot declare a table of {}: {}", description_, message),
                          errorSource_);
    return statement;
}

void LegacySqlProvider::runOwn(std::string_view sql)
{
    OwnStatements own(*this);
    sqlite::Statement statement = prepareOwn(sql);
    const int code = sqlite3_step(statement.get());
    if (code != SQLITE_DONE && code != SQLITE_ROW)
        throw base::Error(hresult::kUnspecified,
                          fmt::format("Cannot declare a table of {}: {}", description_, session_->db->lastError()),
                          errorSource_);
}

sqlite::Statement LegacySqlProvider::prepareReading(std::string_view statement, ErrorList& errors)
{
    std::set<std::string> attached;
    for (int round = 0; round <= kMaxTablesPerStatement; ++round) {
        int code = 0;
        std::string message;
        sqlite::Statement prepared = sqlite::prepare(session_->db, statement, code, message);
        if (prepared) return prepared;
        if (auto name = missingTableIn(message)) {
            std::string key = *name;
            for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const Found found = attached.insert(key).second ? attach(*name, errors) : Found::Missing;
            if (found == Found::Attached) continue;
            if (found == Found::Missing)
                errors.add(error(hresult::kNoSuchTable, 208, "42S02",
                                 fmt::format("Invalid object name '{}': {} has no such table", *name, description_)));
            return {};
        }
        if ((code & 0xFF) == SQLITE_AUTH || message.find("may not be modified") != std::string::npos) {
            errors.add(refused(statement));
            return {};
        }
        ProviderError failure = sqlite::sqlServerError(code, message);
        failure.source = errorSource_;
        failure.description += " in: " + std::string(statement);
        errors.add(std::move(failure));
        return {};
    }
    errors.add(error(hresult::kCommandErrors, 0, "42000",
                     fmt::format("The statement names more tables than {} can open at once: {}", description_, statement)));
    return {};
}

long LegacySqlProvider::execute(std::string_view batch, ErrorList& errors)
{
    sqlite::Statement statement = prepareReading(batch, errors);
    if (!statement) return 0;
    int code;
    while ((code = sqlite3_step(statement.get())) == SQLITE_ROW) {
    }
    if (code != SQLITE_DONE) {
        ProviderError failure = sqlite::sqlServerError(session_->db->lastErrorCode(), session_->db->lastError());
        failure.source = errorSource_;
        errors.add(std::move(failure));
    }
    return 0;
}

std::unique_ptr<RowCursor> LegacySqlProvider::query(std::string_view statement, ErrorList& errors)
{
    sqlite::Statement prepared = prepareReading(statement, errors);
    if (!prepared) return nullptr;
    long count = -1;
    if (auto table = wholeTableRead(statement)) count = wholeTableCount(*table);
    session_->errors = &errors;
    auto cursor = std::make_unique<LegacyCursor>(std::move(prepared), session_, count, errorSource_);
    if (!cursor->start(errors)) return nullptr;
    return cursor;
}

bool LegacySqlProvider::insertRow(std::string_view table, const NamedValues&, ErrorList& errors)
{
    errors.add(refused(fmt::format("INSERT INTO {}", table)));
    return false;
}

bool LegacySqlProvider::updateRow(std::string_view table, const NamedValues&, const NamedValues&, ErrorList& errors)
{
    errors.add(refused(fmt::format("UPDATE {}", table)));
    return false;
}

std::string LegacySqlProvider::dateLiteral(const base::DateTime& value) const { return "'" + value.toIso() + "'"; }

}  // namespace db::dbf
