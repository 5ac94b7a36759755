#include "records/sqlite_db.h"

#include <sqlite3.h>

#include <cerrno>

#include "records/error.h"

namespace qm {

void SqliteDb::open(const std::string& path, bool readOnly, bool create) {
    close();
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create && !readOnly) {
        flags |= SQLITE_OPEN_CREATE;
    }
    // Each store has its own connection, used by one thread at a time.
    flags |= SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    db_ = db;
    path_ = path;
    if (code != SQLITE_OK) {
        try {
            fail(code, "opening");
        } catch (...) {
            close();
            throw;
        }
    }
    // A file from elsewhere cannot make the connection run code of its own or write around
    // SQLite.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
}

void SqliteDb::close() noexcept {
    if (db_ != nullptr) {
        // Statements are finalised by their owners first; v2 waits for any left over.
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    path_.clear();
}

bool SqliteDb::readOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

void SqliteDb::setBusyWait(std::chrono::milliseconds wait) {
    sqlite3_busy_timeout(db_, static_cast<int>(wait.count()));
}

void SqliteDb::exec(const char* sql, const char* action) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        fail(code, action);
    }
}

std::int64_t SqliteDb::queryInteger(const char* sql) {
    SqliteStatement statement(*this, sql);
    if (!statement.step()) {
        return 0;
    }
    return statement.integer(0);
}

void SqliteDb::endTransaction() noexcept {
    if (db_ != nullptr && sqlite3_get_autocommit(db_) == 0) {
        // A rollback that fails leaves SQLite to roll back when the connection goes.
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

std::int64_t SqliteDb::changes() const {
    return sqlite3_changes64(db_);
}

std::int64_t SqliteDb::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

void SqliteDb::fail(int code, const char* action) const {
    const std::string detail = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    const int systemErrno = db_ != nullptr ? sqlite3_system_errno(db_) : 0;
    switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throwError(err::kFileInUse, kFileInUseText);
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            throwError(err::kInvalidFileFormat, path_ + " is damaged (" + detail + ")");
        case SQLITE_NOMEM:
            throwError(err::kOutOfMemory,
                       "Out of memory (" + std::string(action) + " " + path_ + ")");
        case SQLITE_FULL:
            errno = ENOSPC;
            throwErrno(action, path_);
        case SQLITE_READONLY:
            errno = systemErrno != 0 ? systemErrno : EACCES;
            throwErrno(action, path_);
        case SQLITE_IOERR:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            errno = systemErrno != 0 ? systemErrno : EIO;
            throwErrno(action, path_);
        default:
            throwError(err::kInvalidFileFormat, path_ + ": " + detail);
    }
}

SqliteStatement::SqliteStatement(SqliteDb& db, std::string_view sql) : db_(db) {
    const int code = sqlite3_prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (code != SQLITE_OK) {
        db.fail(code, "reading");
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

void SqliteStatement::bind(int index, std::string_view text) {
    // SQLITE_TRANSIENT: the value is copied, so the caller's string may go at once.
    const int code =
        sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (code != SQLITE_OK) {
        db_.fail(code, "writing");
    }
}

void SqliteStatement::bind(int index, std::int64_t value) {
    const int code = sqlite3_bind_int64(stmt_, index, value);
    if (code != SQLITE_OK) {
        db_.fail(code, "writing");
    }
}

void SqliteStatement::bindNull(int index) {
    const int code = sqlite3_bind_null(stmt_, index);
    if (code != SQLITE_OK) {
        db_.fail(code, "writing");
    }
}

bool SqliteStatement::step(const char* action) {
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code == SQLITE_DONE) {
        return false;
    }
    db_.fail(code, action);
}

void SqliteStatement::run(const char* action) {
    while (step(action)) {
    }
}

void SqliteStatement::reset() noexcept {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string_view SqliteStatement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (text == nullptr) {
        return {};
    }
    return {text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

}  // namespace qm
