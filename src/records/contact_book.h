#pragma once

// The contact book, the second kind of contact store: an SQLite database in one file (ending
// ".qmbook"), values in UTF-8 as long as people write them (up to kBookValueLimit characters,
// one line each), and for each contact the card it came from when it came from a vCard or an
// address book server.
//
// The file: `application_id` kApplicationId and `user_version` kSchemaVersion in the header,
// one table `contacts` with a row per contact: `id` (never reused: the contact's identity
// for as long as it is in the book), the seventeen fields and two flags, `card` (the vCard
// text as read, or NULL), and `server_href` and `server_etag` (kept for the address book a
// book is kept in step with; NULL while none is). The book's order is the order of `id`:
// record n is the n-th row by id, so that a deletion moves the later contacts down by one
// number as in the contact file. The numbers of the rows are kept in memory while no other
// connection changes the book (SQLite's data_version tells).
//
// Locking is SQLite's own, with a rollback journal (book.qmbook-journal, there only while a
// write is under way): an operation is one transaction, so it is whole or absent when the
// process is killed or the disk fills, and the book stays one file at rest. A reader waits
// for a writer's commit and a writer for the readers before it, each up to the lock wait
// (error 70 past it). A shared Lock is one read transaction; an exclusive Lock holds the
// database's exclusive lock across its operations (exclusive locking mode), each of which
// still commits when it returns.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/contact_record.h"
#include "records/contact_store.h"

namespace qm {

class SqliteDb;
class SqliteStatement;

// The longest value a book holds in a field, in characters.
inline constexpr std::size_t kBookValueLimit = 1000;
// A book holds any letter, each typed field up to kBookValueLimit characters.
inline constexpr FieldLimits kContactBookLimits = [] {
    FieldLimits limits;
    limits.longest.fill(kBookValueLimit);
    limits.letters = TextEncoding::Utf8;
    return limits;
}();
// Whether a store of these limits keeps the card a contact came from: the book does, the
// store that holds every letter; a contact file has no room for it.
constexpr bool keepsCards(const FieldLimits& limits) {
    return limits.letters == TextEncoding::Utf8;
}
// A book's file name ends so, in any case.
inline constexpr std::string_view kContactBookEnding = ".qmbook";

class ContactBook final : public ContactStore {
  public:
    static constexpr std::uint32_t kApplicationId = 0x514D424B;  // "QMBK"
    static constexpr int kSchemaVersion = 1;

    ContactBook();
    ~ContactBook() override;

    // Closes any open book, then opens path. ReadWrite makes a new book where nothing (or an
    // empty file) is, and opens a book it may not write for reading; its writes then fail
    // with the reason. A file that is not a book, a book of a newer version or a damaged
    // book is refused (error 321) and left as it is.
    void open(const std::string& path, Access access = Access::ReadWrite);
    void close() override;
    bool isOpen() const override;
    const std::string& path() const override { return path_; }
    unsigned permissions() const override;
    const FieldLimits& fieldLimits() const override { return kContactBookLimits; }

    int count() const override;
    ContactRecord read(int n) const override;
    void forEachRecord(const RecordVisitor& visit) const override;
    std::vector<ContactRecord> readRecords(std::span<const int> numbers) const override;
    // Values are stored on one line and trimmed; a value longer than kBookValueLimit
    // characters is refused (the checks before a save make every value fit).
    void write(int n, const ContactRecord& record) override;
    int appendAll(const std::vector<ContactRecord>& records) override;
    void setAllReminderFlags(const std::string& flag) override;
    void deleteRecord(int n) override;

    void setLockWait(std::chrono::milliseconds wait) override;
    void setNoteSink(std::function<void(const std::string&)> sink) override {
        notes_ = std::move(sink);
    }

  private:
    struct Statements;
    class Transaction;

    void acquire(LockKind kind) const override;
    void release() const noexcept override;
    void leaveExclusiveMode() const noexcept;
    void createOrCheck(Access access);
    void createSchema();
    void checkSchema() const;
    void requireOpen() const;
    void requireWritable() const;
    // Forgets the numbers kept in memory when another connection changed the book.
    void followOtherWriters() const;
    const std::vector<std::int64_t>& ids() const;
    std::int64_t idOf(int n) const;
    int countNow() const;
    void readRow(SqliteStatement& select, ContactRecord& record) const;
    void bindRecord(SqliteStatement& statement, const ContactRecord& record) const;

    std::unique_ptr<SqliteDb> db_;
    std::unique_ptr<Statements> statements_;
    std::string path_;
    Access access_ = Access::ReadWrite;
    std::chrono::milliseconds lockWait_ = kDefaultLockWait;
    mutable HeldLock held_;
    mutable std::int64_t dataVersion_ = -1;
    // The id of each record by number, once a number was asked for.
    mutable std::optional<std::vector<std::int64_t>> ids_;
    std::function<void(const std::string&)> notes_;
};

// Whether a file's first bytes (its first 100 or more) are a contact book's: the SQLite
// header with the book's application id.
bool looksLikeContactBook(std::string_view firstBytes);
// Whether they are an SQLite database's at all.
bool looksLikeSqliteDatabase(std::string_view firstBytes);
// Whether the path ends in ".qmbook", whatever its case.
bool hasContactBookEnding(std::string_view path);

}  // namespace qm
