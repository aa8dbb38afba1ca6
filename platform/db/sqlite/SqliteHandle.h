#pragma once
// Owning handles for an SQLite database and its prepared statements. The database handle is shared: a
// cursor still being read keeps the database open after its connection has let go of it.

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace db::sqlite {

class StatementCache;
struct StatementColumns;

class Database {
public:
    explicit Database(sqlite3* handle) : handle_(handle) {}
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* get() const { return handle_; }
    std::string lastError() const;
    int lastErrorCode() const;

private:
    sqlite3* handle_;
};

class Statement {
public:
    Statement() = default;
    Statement(std::shared_ptr<Database> db, sqlite3_stmt* handle) : db_(std::move(db)), handle_(handle) {}
    ~Statement();
    Statement(Statement&& other) noexcept
        : db_(std::move(other.db_)),
          handle_(other.handle_),
          cache_(std::move(other.cache_)),
          text_(std::move(other.text_)),
          columns_(std::move(other.columns_))
    {
        other.handle_ = nullptr;
    }
    Statement& operator=(Statement&& other) noexcept;

    sqlite3_stmt* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Its columns as a cursor last described them, kept with it in the cache (see SqliteCursor.h).
    const std::shared_ptr<const StatementColumns>& columns() const { return columns_; }
    void keepColumns(std::shared_ptr<const StatementColumns> columns) { columns_ = std::move(columns); }

private:
    friend class StatementCache;
    // A statement lent by `cache` goes back there, under its text, instead of being finalized.
    void lend(std::weak_ptr<StatementCache> cache, std::string text, std::shared_ptr<const StatementColumns> columns)
    {
        cache_ = std::move(cache);
        text_ = std::move(text);
        columns_ = std::move(columns);
    }
    void release();

    std::shared_ptr<Database> db_;
    sqlite3_stmt* handle_ = nullptr;
    std::weak_ptr<StatementCache> cache_;
    std::string text_;
    std::shared_ptr<const StatementColumns> columns_;
};

// Prepares `sql`; on failure returns an empty statement and sets `code`/`message`.
Statement prepare(const std::shared_ptr<Database>& db, std::string_view sql, int& code, std::string& message);

}  // namespace db::sqlite
