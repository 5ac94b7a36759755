#pragma once

// The contact file, the first kind of contact store: fixed 513-byte records numbered from 1,
// no header. The count is always taken from the file length.
//
// Every operation takes an advisory lock (flock) on the file for its own duration: shared to
// read, exclusive to write, in turn (records/contact_file_lock.h); nothing is locked between
// operations. A writer finds the file as the last writer left it: a deletion replaces the
// file by a new one, so after waiting for the lock an operation checks that its descriptor
// still is the file at the path and opens that one when not.

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/contact_record.h"
#include "records/contact_store.h"
#include "records/file_ops.h"

namespace qm {

class ContactFile final : public ContactStore {
  public:
    // Record numbers are ints; a longer file is refused rather than miscounted.
    static constexpr std::int64_t kMaxRecords = 2147483647;

    explicit ContactFile(FileOps& ops = systemFileOps()) : ops_(&ops) {}
    ~ContactFile() override;

    // Closes any open file, then opens path. ReadWrite creates an empty file when it is
    // missing and opens a file it may not write (a read-only file or file system) for
    // reading, so that it can still be read; its writes then fail with the reason.
    void open(const std::string& path, Access access = Access::ReadWrite);
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    const std::string& path() const override { return path_; }
    unsigned permissions() const override;
    // Each field at its width, in code page 1252.
    const FieldLimits& fieldLimits() const override { return kContactFileLimits; }

    // Whole records: file length / 513, rounded down. The bytes of an incomplete last
    // record (an interrupted write) and the records of an interrupted append of several are
    // left out of every read and cut off by the next write.
    int count() const override;
    ContactRecord read(int n) const override;
    // Record n as it lies in the file.
    std::string readRaw(int n) const;
    // A block of records at a time, each decoded into one reused record.
    void forEachRecord(const RecordVisitor& visit) const override;
    std::vector<ContactRecord> readRecords(std::span<const int> numbers) const override;
    void write(int n, const ContactRecord& record) override;
    // In one write; a failed one is cut off again. Several records are covered by a rollback
    // journal (records/append_journal.h) from before the write until they are synced.
    int appendAll(const std::vector<ContactRecord>& records) override;
    void setAllReminderFlags(const std::string& flag) override;
    // The other records are copied by position into a new temporary file in the contact
    // file's folder, synced and renamed over the file in one step. A failure before the
    // rename leaves the file as it was; after it, the deletion is complete.
    void deleteRecord(int n) override;

    void setLockWait(std::chrono::milliseconds wait) override { lockWait_ = wait; }
    // Notes an incomplete last record found (left out or cut off).
    void setNoteSink(std::function<void(const std::string&)> sink) override {
        notes_ = std::move(sink);
    }

  private:
    void acquire(LockKind kind) const override;
    void release() const noexcept override;
    bool descriptorIsFileAtPath() const;
    void reopen() const;
    // Undoes a killed append of several records, cuts off an incomplete last record and
    // removes a killed run's temporary files (a writer), or leaves them out of its reads
    // and notes them once (a reader, which may not change the file).
    void settleAfterOthers(LockKind kind) const;
    void settleInterruptedAppend(LockKind kind, const std::string& journalPath) const;
    void note(const std::string& text) const;
    void undoAppend(std::int64_t former, const std::string& journal) noexcept;
    void requireOpen() const;
    void requireWritable() const;
    void requireRecord(int n) const;
    int countNow() const;
    void replaceFile(const TemporaryFile& temp, const std::string& target);

    FileOps* ops_;
    // A deletion replaces the file, and any operation may find that another window or
    // command did: the descriptor then follows the path.
    mutable int fd_ = -1;
    std::string path_;
    Access access_ = Access::ReadWrite;
    // errno of the failed read-write open when a ReadWrite file could only be read.
    int notWritable_ = 0;
    mutable HeldLock held_;
    mutable bool incompleteNoted_ = false;
    // What a reader may read of the file under its lock: less than its length while a killed
    // append's journal stands.
    mutable std::int64_t visibleLength_ = std::numeric_limits<std::int64_t>::max();
    std::chrono::milliseconds lockWait_ = kDefaultLockWait;
    std::function<void(const std::string&)> notes_;
};

// Whether a file's first bytes have the shape of a contact record: separators and the record
// end where the record has them (as far as the bytes go).
bool looksLikeContactFile(std::string_view firstBytes);

}  // namespace qm
