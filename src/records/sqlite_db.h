#pragma once

// One connection to an SQLite database and its statements, every failure a QmError that
// names the file: a busy database is error 70 as a contact file kept by another window is,
// a full disk or a refused write carries the system's errno, a damaged file says so.
// Values only ever reach SQL as bound parameters.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qm {

class SqliteDb {
  public:
    SqliteDb() = default;
    ~SqliteDb() { close(); }
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Opens path, read-only or for writing; `create` makes a missing file.
    void open(const std::string& path, bool readOnly, bool create);
    void close() noexcept;
    bool isOpen() const { return db_ != nullptr; }
    // Whether writes are refused (a read-only file or file system, or opened to read).
    bool readOnly() const;
    const std::string& path() const { return path_; }

    // Waits this long for another connection's lock before failing with error 70.
    void setBusyWait(std::chrono::milliseconds wait);
    // Runs statements without parameters; `action` says what failed ("reading", "writing").
    void exec(const char* sql, const char* action = "writing");
    // The first column of the first row of a statement without parameters.
    std::int64_t queryInteger(const char* sql);
    std::int64_t changes() const;
    // Rolls back the transaction under way, if any; a read transaction simply ends.
    void endTransaction() noexcept;
    std::int64_t lastInsertId() const;

    // Throws the QmError for an SQLite result code, as doing `action` to the file.
    [[noreturn]] void fail(int code, const char* action) const;

    sqlite3* handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

// A prepared statement, kept for the life of its connection and reset after each use.
class SqliteStatement {
  public:
    SqliteStatement(SqliteDb& db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters count from 1.
    void bind(int index, std::string_view text);
    void bind(int index, std::int64_t value);
    void bindNull(int index);
    // True while there is a row to read; false when the statement is done.
    bool step(const char* action = "reading");
    // Runs a statement that returns no rows.
    void run(const char* action = "writing");
    void reset() noexcept;

    // Columns count from 0; the text stays valid until the next step or reset.
    std::string_view text(int column) const;
    std::int64_t integer(int column) const;
    bool isNull(int column) const;

  private:
    SqliteDb& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Resets a statement on the way out, whatever happened.
class StatementUse {
  public:
    explicit StatementUse(SqliteStatement& statement) : statement_(statement) {}
    ~StatementUse() { statement_.reset(); }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    SqliteStatement* operator->() { return &statement_; }

  private:
    SqliteStatement& statement_;
};

}  // namespace qm
