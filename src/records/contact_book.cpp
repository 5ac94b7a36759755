#include "records/contact_book.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>

#include "records/error.h"
#include "records/sqlite_db.h"
#include "records/text_rules.h"

namespace qm {

namespace {

struct Column {
    std::string_view name;
    std::string ContactRecord::*member;
};

// The book's column of each stored field, in the contact file's order.
constexpr std::array<Column, kFieldDescriptions.size()> kColumns = {{
    {"first_name", &ContactRecord::firstName}, {"middle_initial", &ContactRecord::middleInitial},
    {"last_name", &ContactRecord::lastName},   {"street", &ContactRecord::street},
    {"street2", &ContactRecord::street2},      {"city", &ContactRecord::city},
    {"state", &ContactRecord::state},          {"zip", &ContactRecord::zip},
    {"country", &ContactRecord::country},      {"home_phone", &ContactRecord::homePhone},
    {"cell_phone", &ContactRecord::cellPhone}, {"work_phone", &ContactRecord::workPhone},
    {"email", &ContactRecord::email},          {"birthdate", &ContactRecord::birthdate},
    {"category", &ContactRecord::category},    {"notes", &ContactRecord::notes},
    {"company", &ContactRecord::company},      {"include_company", &ContactRecord::includeCompany},
    {"reminder", &ContactRecord::reminder},
}};

constexpr bool columnsFollowTheFields() {
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        if (kColumns[i].member != kFieldDescriptions[i].stored) {
            return false;
        }
    }
    return true;
}
static_assert(columnsFollowTheFields());

// After the fields: the card, then what keeping the book in step with an address book needs.
constexpr int kCardColumn = static_cast<int>(kColumns.size());
constexpr std::string_view kTrailingColumns[] = {"card", "server_href", "server_etag"};

std::string fieldColumns() {
    std::string list;
    for (const Column& c : kColumns) {
        list += std::string(c.name) + ", ";
    }
    return list + "card";
}

std::string createSql() {
    std::string sql = "CREATE TABLE contacts (id INTEGER PRIMARY KEY AUTOINCREMENT";
    for (const Column& c : kColumns) {
        sql += ", " + std::string(c.name) + " TEXT NOT NULL DEFAULT ''";
    }
    for (std::string_view c : kTrailingColumns) {
        sql += ", " + std::string(c) + " TEXT";
    }
    // A narrow index in the book's order: counting and numbering read it, not the rows.
    return sql + "); CREATE INDEX contacts_order ON contacts (id);";
}

std::string placeholders(int first, std::size_t count) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i) {
        list += (i == 0 ? "?" : ", ?") + std::to_string(first + static_cast<int>(i));
    }
    return list;
}

std::string updateSql() {
    std::string sql = "UPDATE contacts SET ";
    int n = 1;
    for (const Column& c : kColumns) {
        sql += std::string(c.name) + " = ?" + std::to_string(n++) + ", ";
    }
    return sql + "card = ?" + std::to_string(n) + " WHERE id = ?" + std::to_string(n + 1);
}

// Checked when the book is opened, where that costs little; a larger book's damage shows
// as it is read.
constexpr std::int64_t kCheckedAtOpen = 32 * 1024 * 1024;

bool isFlag(std::size_t column) {
    return !kFieldDescriptions[column].typed.has_value();
}

// A value as the book keeps it: on one line and trimmed, as a contact file reads it back; a
// flag as the contact file keeps it, one character.
std::string bookValue(const std::string& value, std::size_t column, const std::string& path) {
    const std::size_t width = kFieldDescriptions[column].width;
    if (isFlag(column)) {
        return trim(storedField(value, width));
    }
    std::string stored = trim(singleLine(value));
    if (characterCount(stored) > kBookValueLimit) {
        throwError(err::kInvalidCall, "Invalid procedure call (" +
                                          std::string(kFieldDescriptions[column].name) +
                                          " longer than " + std::to_string(kBookValueLimit) +
                                          " characters for the contact book " + path + ")");
    }
    return stored;
}

}  // namespace

bool looksLikeSqliteDatabase(std::string_view firstBytes) {
    static constexpr std::string_view kHeader("SQLite format 3\0", 16);
    return firstBytes.substr(0, kHeader.size()) == kHeader;
}

bool looksLikeContactBook(std::string_view firstBytes) {
    if (!looksLikeSqliteDatabase(firstBytes) || firstBytes.size() < 72) {
        return false;
    }
    // The application id: four bytes, big-endian, at offset 68 of the header.
    std::uint32_t id = 0;
    for (std::size_t i = 68; i < 72; ++i) {
        id = id << 8 | static_cast<unsigned char>(firstBytes[i]);
    }
    return id == ContactBook::kApplicationId;
}

bool hasContactBookEnding(std::string_view path) {
    return path.size() > kContactBookEnding.size() &&
           toLower(path.substr(path.size() - kContactBookEnding.size())) == kContactBookEnding;
}

struct ContactBook::Statements {
    explicit Statements(SqliteDb& db)
        : dataVersion(db, "PRAGMA data_version"),
          count(db, "SELECT count(*) FROM contacts"),
          ids(db, "SELECT id FROM contacts INDEXED BY contacts_order ORDER BY id"),
          idAt(db,
               "SELECT id FROM contacts INDEXED BY contacts_order ORDER BY id LIMIT 1 OFFSET ?1"),
          idFromEnd(db,
                    "SELECT id FROM contacts INDEXED BY contacts_order ORDER BY id DESC LIMIT 1 "
                    "OFFSET ?1"),
          all(db, "SELECT " + fieldColumns() + ", id FROM contacts ORDER BY id"),
          one(db, "SELECT " + fieldColumns() + " FROM contacts WHERE id = ?1"),
          insert(db, "INSERT INTO contacts (" + fieldColumns() + ") VALUES (" +
                         placeholders(1, kColumns.size() + 1) + ")"),
          update(db, updateSql()),
          remove(db, "DELETE FROM contacts WHERE id = ?1"),
          reminders(db, "UPDATE contacts SET reminder = ?1 WHERE reminder <> ?1") {}

    SqliteStatement dataVersion;
    SqliteStatement count;
    SqliteStatement ids;
    SqliteStatement idAt;
    SqliteStatement idFromEnd;
    SqliteStatement all;
    SqliteStatement one;
    SqliteStatement insert;
    SqliteStatement update;
    SqliteStatement remove;
    SqliteStatement reminders;
};

// One operation's transaction. Outside a Lock it is the operation's own: a read transaction,
// or a write that waits for the other writers (BEGIN IMMEDIATE). Inside an exclusive Lock a
// write is a transaction of its own under the lock held; inside any Lock a read uses the lock.
class ContactBook::Transaction {
  public:
    Transaction(const ContactBook& book, LockKind kind) : book_(book) {
        SqliteDb& db = *book.db_;
        if (!book.held_.held()) {
            if (kind == LockKind::Exclusive) {
                book.requireWritable();
            }
            db.exec(kind == LockKind::Exclusive ? "BEGIN IMMEDIATE" : "BEGIN", "locking");
            open_ = true;
            try {
                book.followOtherWriters();
            } catch (...) {
                end();
                throw;
            }
        } else if (kind == LockKind::Exclusive) {
            book.held_.refuseUpgrade(kind);
            db.exec("BEGIN", "locking");
            open_ = true;
        }
    }
    ~Transaction() { end(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Makes the writes permanent; until then a failure or a kill leaves the book as it was.
    void commit() {
        if (open_) {
            book_.db_->exec("COMMIT");
            open_ = false;
        }
    }

  private:
    void end() noexcept {
        if (open_) {
            open_ = false;
            book_.db_->endTransaction();
        }
    }

    const ContactBook& book_;
    bool open_ = false;
};

ContactBook::ContactBook() = default;

ContactBook::~ContactBook() {
    close();
}

void ContactBook::open(const std::string& path, Access access) {
    close();
    auto db = std::make_unique<SqliteDb>();
    db->open(path, access == Access::Read, true);
    db->setBusyWait(lockWait_);
    db_ = std::move(db);
    path_ = path;
    access_ = access;
    try {
        if (!db_->readOnly()) {
            // A book in another journal mode (set by some other program) is put back: one
            // file at rest, and readers that need no write access to the folder.
            db_->exec("PRAGMA journal_mode = DELETE", "opening");
        }
        db_->exec("PRAGMA synchronous = FULL; PRAGMA cell_size_check = ON", "opening");
        createOrCheck(access);
        statements_ = std::make_unique<Statements>(*db_);
    } catch (...) {
        close();
        throw;
    }
}

void ContactBook::createOrCheck(Access access) {
    if (db_->queryInteger("PRAGMA page_count") == 0) {
        if (access == Access::Read || db_->readOnly()) {
            throwError(err::kInvalidFileFormat, path_ + " is empty, not a contact book");
        }
        // Two runs making the same new book: the second finds it made. (The transaction
        // itself gives the file its first page, so the schema tells.)
        db_->exec("BEGIN IMMEDIATE", "creating");
        try {
            if (db_->queryInteger("SELECT count(*) FROM sqlite_schema") == 0) {
                createSchema();
            }
            db_->exec("COMMIT", "creating");
        } catch (...) {
            db_->endTransaction();
            throw;
        }
    }
    checkSchema();
}

void ContactBook::createSchema() {
    db_->exec(createSql().c_str(), "creating");
    const std::string header = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                               "; PRAGMA user_version = " + std::to_string(kSchemaVersion);
    db_->exec(header.c_str(), "creating");
}

void ContactBook::checkSchema() const {
    if (static_cast<std::uint32_t>(db_->queryInteger("PRAGMA application_id")) != kApplicationId) {
        throwError(err::kInvalidFileFormat,
                   path_ + " is not a contact book (a database of another program)");
    }
    const std::int64_t version = db_->queryInteger("PRAGMA user_version");
    if (version > kSchemaVersion) {
        throwError(err::kInvalidFileFormat,
                   path_ + " is a contact book of a newer Quillmark (book version " +
                       std::to_string(version) + "); this Quillmark reads book version " +
                       std::to_string(kSchemaVersion));
    }
    std::vector<std::string> expected{"id"};
    for (const Column& c : kColumns) {
        expected.emplace_back(c.name);
    }
    expected.insert(expected.end(), std::begin(kTrailingColumns), std::end(kTrailingColumns));
    std::vector<std::string> found;
    SqliteStatement columns(*db_, "SELECT name FROM pragma_table_info('contacts')");
    while (columns.step()) {
        found.emplace_back(columns.text(0));
    }
    const std::int64_t orderIndexes = db_->queryInteger(
        "SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND name = 'contacts_order'");
    // Nothing in a book runs code of its own.
    const std::int64_t triggersAndViews =
        db_->queryInteger("SELECT count(*) FROM sqlite_schema WHERE type IN ('trigger', 'view')");
    if (version < 1 || found != expected || orderIndexes != 1 || triggersAndViews != 0) {
        throwError(err::kInvalidFileFormat,
                   path_ + " is damaged (its table of contacts is not a contact book's)");
    }
    if (db_->queryInteger("PRAGMA page_count") * db_->queryInteger("PRAGMA page_size") <=
        kCheckedAtOpen) {
        SqliteStatement check(*db_, "PRAGMA quick_check(1)");
        check.step();
        if (check.text(0) != "ok") {
            throwError(err::kInvalidFileFormat,
                       path_ + " is damaged (" + std::string(check.text(0)) + ")");
        }
    }
}

void ContactBook::close() {
    statements_.reset();
    if (db_) {
        db_->close();
        db_.reset();
    }
    path_.clear();
    held_ = {};
    dataVersion_ = -1;
    ids_.reset();
}

bool ContactBook::isOpen() const {
    return db_ != nullptr;
}

unsigned ContactBook::permissions() const {
    requireOpen();
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        throwErrno("reading the permissions of", path_);
    }
    return st.st_mode & 07777;
}

void ContactBook::setLockWait(std::chrono::milliseconds wait) {
    lockWait_ = wait;
    if (db_) {
        db_->setBusyWait(wait);
    }
}

void ContactBook::requireOpen() const {
    if (!db_) {
        throwError(err::kBadFileNameOrNumber, "Bad file name or number");
    }
}

void ContactBook::requireWritable() const {
    requireOpen();
    if (access_ == Access::Read) {
        errno = EBADF;
        throwErrno("writing", path_);
    }
    if (db_->readOnly()) {
        // SQLite opened the file to read only: say why, as the system says it.
        errno = ::access(path_.c_str(), W_OK) != 0 ? errno : EACCES;
        throwErrno("writing", path_);
    }
}

void ContactBook::acquire(LockKind kind) const {
    requireOpen();
    if (held_.join(kind)) {
        return;
    }
    if (kind == LockKind::Shared) {
        db_->exec("BEGIN", "locking");
        try {
            followOtherWriters();
        } catch (...) {
            db_->endTransaction();
            throw;
        }
    } else {
        requireWritable();
        // The database's exclusive lock, kept after each commit until the Lock ends.
        db_->exec("PRAGMA locking_mode = EXCLUSIVE", "locking");
        try {
            db_->exec("BEGIN EXCLUSIVE; COMMIT", "locking");
            followOtherWriters();
        } catch (...) {
            leaveExclusiveMode();
            throw;
        }
    }
    held_.take(kind);
}

void ContactBook::release() const noexcept {
    if (!held_.leave() || !db_) {
        return;
    }
    if (held_.kind == LockKind::Shared) {
        db_->endTransaction();
        return;
    }
    leaveExclusiveMode();
}

void ContactBook::leaveExclusiveMode() const noexcept {
    db_->endTransaction();
    try {
        // Back to normal locking; the lock goes at the next access of the file.
        db_->exec("PRAGMA locking_mode = NORMAL", "unlocking");
        db_->queryInteger("PRAGMA schema_version");
    } catch (const QmError&) {
        // Nothing is written here; a lock SQLite could not give back goes with the
        // connection at the latest.
    }
}

void ContactBook::followOtherWriters() const {
    StatementUse dataVersion(statements_->dataVersion);
    dataVersion->step("locking");
    const std::int64_t version = dataVersion->integer(0);
    if (version != dataVersion_) {
        ids_.reset();
        dataVersion_ = version;
    }
}

int ContactBook::countNow() const {
    if (ids_) {
        return static_cast<int>(ids_->size());
    }
    StatementUse count(statements_->count);
    count->step();
    const std::int64_t n = count->integer(0);
    if (n > INT_MAX) {
        throwError(err::kOverflow, "Overflow (" + path_ + " holds " + std::to_string(n) +
                                       " contacts, more than " + std::to_string(INT_MAX) + ")");
    }
    return static_cast<int>(n);
}

const std::vector<std::int64_t>& ContactBook::ids() const {
    if (!ids_) {
        std::vector<std::int64_t> ids;
        ids.reserve(static_cast<std::size_t>(countNow()));
        StatementUse all(statements_->ids);
        while (all->step()) {
            ids.push_back(all->integer(0));
        }
        ids_ = std::move(ids);
    }
    return *ids_;
}

std::int64_t ContactBook::idOf(int n) const {
    if (ids_) {
        if (n < 1 || static_cast<std::size_t>(n) > ids_->size()) {
            throwError(err::kBadRecordNumber, "Bad record number");
        }
        return (*ids_)[static_cast<std::size_t>(n) - 1];
    }
    // One number alone: walked to from the nearer end of the narrow index.
    const int total = countNow();
    if (n < 1 || n > total) {
        throwError(err::kBadRecordNumber, "Bad record number");
    }
    const bool fromEnd = n > total / 2;
    StatementUse find(fromEnd ? statements_->idFromEnd : statements_->idAt);
    find->bind(1, static_cast<std::int64_t>(fromEnd ? total - n : n - 1));
    if (!find->step()) {
        throwError(err::kBadRecordNumber, "Bad record number");
    }
    return find->integer(0);
}

void ContactBook::readRow(SqliteStatement& select, ContactRecord& record) const {
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        (record.*(kColumns[i].member)).assign(select.text(static_cast<int>(i)));
    }
    record.card.assign(select.text(kCardColumn));
}

void ContactBook::bindRecord(SqliteStatement& statement, const ContactRecord& record) const {
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        statement.bind(static_cast<int>(i) + 1, bookValue(record.*(kColumns[i].member), i, path_));
    }
    if (record.card.empty()) {
        statement.bindNull(kCardColumn + 1);
    } else {
        statement.bind(kCardColumn + 1, record.card);
    }
}

int ContactBook::count() const {
    requireOpen();
    const Transaction transaction(*this, LockKind::Shared);
    return countNow();
}

ContactRecord ContactBook::read(int n) const {
    requireOpen();
    const Transaction transaction(*this, LockKind::Shared);
    StatementUse one(statements_->one);
    one->bind(1, idOf(n));
    if (!one->step()) {
        throwError(err::kBadRecordNumber, "Bad record number");
    }
    ContactRecord record;
    readRow(statements_->one, record);
    return record;
}

void ContactBook::forEachRecord(const RecordVisitor& visit) const {
    requireOpen();
    const Transaction transaction(*this, LockKind::Shared);
    // The pass numbers the records as it goes, and keeps the numbers when it has them all.
    std::vector<std::int64_t> ids;
    const bool collect = !ids_;
    ContactRecord record;
    StatementUse all(statements_->all);
    int n = 0;
    while (all->step()) {
        readRow(statements_->all, record);
        if (collect) {
            ids.push_back(all->integer(kCardColumn + 1));
        }
        visit(++n, record);
    }
    if (collect) {
        ids_ = std::move(ids);
    }
}

std::vector<ContactRecord> ContactBook::readRecords(std::span<const int> numbers) const {
    requireOpen();
    const Transaction transaction(*this, LockKind::Shared);
    if (numbers.size() > 1) {
        ids();
    }
    std::vector<ContactRecord> records(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        StatementUse one(statements_->one);
        one->bind(1, idOf(numbers[i]));
        if (!one->step()) {
            throwError(err::kBadRecordNumber, "Bad record number");
        }
        readRow(statements_->one, records[i]);
    }
    return records;
}

void ContactBook::write(int n, const ContactRecord& record) {
    requireOpen();
    Transaction transaction(*this, LockKind::Exclusive);
    StatementUse update(statements_->update);
    bindRecord(statements_->update, record);
    update->bind(kCardColumn + 2, idOf(n));
    update->run();
    transaction.commit();
}

int ContactBook::appendAll(const std::vector<ContactRecord>& records) {
    requireOpen();
    Transaction transaction(*this, LockKind::Exclusive);
    const std::int64_t last =
        static_cast<std::int64_t>(countNow()) + static_cast<std::int64_t>(records.size());
    if (last > INT_MAX) {
        throwError(err::kOverflow, "Overflow (" + path_ + " would hold " + std::to_string(last) +
                                       " contacts, more than " + std::to_string(INT_MAX) + ")");
    }
    std::vector<std::int64_t> added;
    added.reserve(records.size());
    for (const ContactRecord& record : records) {
        StatementUse insert(statements_->insert);
        bindRecord(statements_->insert, record);
        insert->run();
        added.push_back(db_->lastInsertId());
    }
    transaction.commit();
    if (ids_) {
        ids_->insert(ids_->end(), added.begin(), added.end());
    }
    return static_cast<int>(last);
}

void ContactBook::setAllReminderFlags(const std::string& flag) {
    requireOpen();
    Transaction transaction(*this, LockKind::Exclusive);
    StatementUse reminders(statements_->reminders);
    reminders->bind(1, bookValue(flag, fieldIndex(&ContactRecord::reminder), path_));
    reminders->run();
    transaction.commit();
}

void ContactBook::deleteRecord(int n) {
    requireOpen();
    Transaction transaction(*this, LockKind::Exclusive);
    StatementUse remove(statements_->remove);
    remove->bind(1, idOf(n));
    remove->run();
    transaction.commit();
    if (ids_) {
        ids_->erase(ids_->begin() + (n - 1));
    }
}

}  // namespace qm
