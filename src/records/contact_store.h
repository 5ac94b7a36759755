#pragma once

// The open contacts, whatever holds them: records numbered 1..count in the store's order, with
// no holes. Every window and command reads and changes contacts through this interface;
// records/open_contact_store.h makes the store for a path.
//
// Each operation is whole when it returns, and its failure is a QmError with its number (52
// when nothing is open, 63 for a number beyond the records, 70 when another window or command
// keeps the store longer than the lock wait). Several windows and commands may use one store
// at once: an operation keeps the others out for its own duration only, and a Lock keeps them
// out across several operations.

#include <chrono>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "records/contact_record.h"

namespace qm {

enum class LockKind { Shared, Exclusive };

// The lock a store holds for its Locks, counted: a Lock taken inside another joins it, and
// only the outermost takes the store's own lock and gives it back.
struct HeldLock {
    int depth = 0;
    LockKind kind = LockKind::Shared;

    bool held() const { return depth > 0; }
    // A change inside a Lock taken to read could not be whole: error 5.
    void refuseUpgrade(LockKind wanted) const;
    // Joins the held lock (refusing an upgrade); false when none is held.
    bool join(LockKind wanted);
    void take(LockKind taken) {
        depth = 1;
        kind = taken;
    }
    // True when the outermost Lock has ended.
    bool leave() { return depth > 0 && --depth == 0; }
};

class ContactStore {
  public:
    enum class Access { ReadWrite, Read };

    // Holds the store across several operations, so that a read and the write that depends
    // on it see no other writer in between. Operations inside run under it; a shared lock
    // cannot be raised to an exclusive one. What an operation wrote is kept when it returns,
    // not when the lock ends: the release reports nothing.
    class Lock {
      public:
        Lock(const ContactStore& store, LockKind kind) : store_(store) { store_.acquire(kind); }
        ~Lock() { store_.release(); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        const ContactStore& store_;
    };

    using RecordVisitor = std::function<void(int n, const ContactRecord& record)>;

    static constexpr std::chrono::milliseconds kDefaultLockWait{5000};

    virtual ~ContactStore() = default;
    ContactStore(const ContactStore&) = delete;
    ContactStore& operator=(const ContactStore&) = delete;

    // Closing when nothing is open does nothing; afterwards every operation fails with 52.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // As it was opened; empty while nothing is open.
    virtual const std::string& path() const = 0;
    // Permission bits of the file that holds the contacts, which files made from them keep.
    virtual unsigned permissions() const = 0;
    // What each field may hold here: every value that becomes one of these contacts' is made
    // storable by these limits.
    virtual const FieldLimits& fieldLimits() const = 0;

    virtual int count() const = 0;
    // Record n, 1..count.
    virtual ContactRecord read(int n) const = 0;
    // Every record in order under one shared lock, in memory that stays flat however many
    // there are: `visit` gets each record number and its record, which the next call may
    // reuse (copy what is kept).
    virtual void forEachRecord(const RecordVisitor& visit) const = 0;
    // The records of the given numbers, in that order, under one lock.
    virtual std::vector<ContactRecord> readRecords(std::span<const int> numbers) const = 0;
    // Every record in order, held whole: for a pass that needs them all at once (the address
    // book sync's plan) and tests; any other pass goes through forEachRecord.
    std::vector<ContactRecord> readAll() const;

    // Rewrites record n, 1..count, in place.
    virtual void write(int n, const ContactRecord& record) = 0;
    // Adds at count + 1 and returns that number. Whole or not at all.
    int append(const ContactRecord& record) { return appendAll({record}); }
    // Several records at once, whole or not at all; returns the last number.
    virtual int appendAll(const std::vector<ContactRecord>& records) = 0;
    // Gives every record the reminder flag "1" or "0".
    virtual void setAllReminderFlags(const std::string& flag) = 0;
    // Removes record n; the records after it move down by one number. Whole or not at all.
    virtual void deleteRecord(int n) = 0;

    // How long an operation waits for another window or command to finish with the store.
    virtual void setLockWait(std::chrono::milliseconds wait) = 0;
    // Receives what the store found and mended or left out on its own (an incomplete record
    // left by an interrupted write), for the user to read.
    virtual void setNoteSink(std::function<void(const std::string&)> sink) = 0;

  protected:
    ContactStore() = default;

  private:
    // The Lock's two ends; nested locks count.
    virtual void acquire(LockKind kind) const = 0;
    virtual void release() const noexcept = 0;
};

}  // namespace qm
