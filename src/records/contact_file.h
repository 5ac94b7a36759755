#pragma once

// The open contact file: fixed 513-byte records numbered from 1, no header. The count is
// always taken from the file length.
//
// Several windows and commands may use one file at once. Every operation takes an advisory
// lock (flock) on the file for its own duration: shared to read, exclusive to write; nothing
// is locked between operations. A writer finds the file as the last writer left it: a
// deletion replaces the file by a new one, so after waiting for the lock an operation checks
// that its descriptor still is the file at the path and opens that one when not.

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "records/contact_record.h"
#include "records/file_ops.h"

namespace qm {

enum class LockKind { Shared, Exclusive };

class ContactFile {
  public:
    enum class Access { ReadWrite, Read };

    // Holds the lock across several operations, so that a read and the write that depends
    // on it see no other writer in between. Operations inside run under it; a shared lock
    // cannot be raised to an exclusive one.
    class Lock {
      public:
        Lock(const ContactFile& file, LockKind kind);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        const ContactFile& file_;
    };

    // Record numbers are ints; a longer file is refused rather than miscounted.
    static constexpr std::int64_t kMaxRecords = 2147483647;
    static constexpr std::chrono::milliseconds kDefaultLockWait{5000};

    explicit ContactFile(FileOps& ops = systemFileOps()) : ops_(&ops) {}
    ~ContactFile();
    ContactFile(const ContactFile&) = delete;
    ContactFile& operator=(const ContactFile&) = delete;

    // Closes any open file, then opens path. ReadWrite creates an empty file when it is
    // missing and opens a file it may not write (a read-only file or file system) for
    // reading, so that it can still be read; its writes then fail with the reason.
    void open(const std::string& path, Access access = Access::ReadWrite);
    // Closing when nothing is open does nothing.
    void close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // Permission bits of the file.
    unsigned permissions() const;

    // Whole records: file length / 513, rounded down. The bytes of an incomplete last
    // record (an interrupted write) are left out of every read and cut off by the next write.
    int count() const;
    // Record n, 1..count.
    ContactRecord read(int n) const;
    std::string readRaw(int n) const;
    // Every record in order, read a block at a time under one shared lock: memory stays
    // flat however long the file. `visit` gets each record number and its record, decoded
    // into one record that the next call reuses (copy what is kept).
    void forEachRecord(const std::function<void(int n, const ContactRecord& record)>& visit) const;
    // The records of the given numbers, in that order, under one lock.
    std::vector<ContactRecord> readRecords(std::span<const int> numbers) const;
    // Every record in order. Holds the whole file decoded: for small files and tests; a
    // pass over a file of any size goes through forEachRecord.
    std::vector<ContactRecord> readAll() const;
    // Rewrites record n, 1..count, in place.
    void write(int n, const ContactRecord& record);
    // Writes at count + 1 and returns that number. Whole or not at all.
    int append(const ContactRecord& record);
    // Several records at once, in one write, whole or not at all; returns the last number.
    int appendAll(const std::vector<ContactRecord>& records);
    void setAllReminderFlags(const std::string& flag);
    // Removes record n and closes the gap. The other records are copied by position into a
    // new temporary file in the contact file's folder, synced and renamed over the file in
    // one step. A failure before the rename leaves the file as it was; after it, the
    // deletion is complete.
    void deleteRecord(int n);

    // How long an operation waits for another window or command to finish with the file.
    void setLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    // Receives a note when an incomplete last record is found (left out or cut off).
    void setNoteSink(std::function<void(const std::string&)> sink) { notes_ = std::move(sink); }

  private:
    friend class Lock;
    void acquire(LockKind kind) const;
    void release() const noexcept;
    void waitForLock(int fd, LockKind kind, std::chrono::steady_clock::time_point deadline) const;
    bool descriptorIsFileAtPath() const;
    void reopen() const;
    // Cuts off an incomplete last record and removes a killed deletion's temporary file (a
    // writer), or notes the record once (a reader).
    void settleAfterOthers(LockKind kind) const;
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
    mutable int lockDepth_ = 0;
    mutable LockKind lockKind_ = LockKind::Shared;
    mutable bool incompleteNoted_ = false;
    std::chrono::milliseconds lockWait_ = kDefaultLockWait;
    std::function<void(const std::string&)> notes_;
};

}  // namespace qm
