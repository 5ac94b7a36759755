#include "records/contact_file.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <system_error>

#include "records/append_journal.h"
#include "records/contact_file_lock.h"
#include "records/error.h"

namespace qm {

namespace {

std::int64_t offsetOf(std::int64_t n) {
    return (n - 1) * static_cast<std::int64_t>(kRecordSize);
}

// Records are read and copied this many at a time: one call per block keeps the throughput
// of one big read without holding the whole file in memory.
constexpr std::int64_t kBlockRecords = 2048;

// The file a symbolic link points to, so that compaction replaces the contacts and not the
// link.
std::string resolvedPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(path, ec);
    if (ec) {
        throw QmError(ec.value(), ec.message() + " (resolving " + path + ")");
    }
    return real.string();
}

constexpr std::int64_t kWholeFile = std::numeric_limits<std::int64_t>::max();

// Closes a descriptor on the way out of a failed step without hiding the first error.
struct FdGuard {
    int fd;
    ~FdGuard() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

}  // namespace

ContactFile::~ContactFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void ContactFile::open(const std::string& path, Access access) {
    close();
    int notWritable = 0;
    int fd = -1;
    if (access == Access::Read) {
        fd = ops_->openRead(path);
    } else {
        try {
            fd = ops_->openReadWrite(path);
        } catch (const QmError& e) {
            // A file that may only be read still lists, prints and exports.
            const int code = e.number();
            if ((code != EACCES && code != EROFS && code != EPERM) || !ops_->exists(path)) {
                throw;
            }
            fd = ops_->openRead(path);
            notWritable = code;
        }
    }
    fd_ = fd;
    path_ = path;
    access_ = access;
    notWritable_ = notWritable;
    incompleteNoted_ = false;
}

void ContactFile::close() {
    if (fd_ < 0) {
        return;
    }
    const int fd = fd_;
    fd_ = -1;
    path_.clear();
    held_ = {};
    ops_->close(fd);
}

unsigned ContactFile::permissions() const {
    requireOpen();
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        throwErrno("reading the permissions of", path_);
    }
    return st.st_mode & 07777;
}

void ContactFile::requireOpen() const {
    if (fd_ < 0) {
        throwError(err::kBadFileNameOrNumber, "Bad file name or number");
    }
}

void ContactFile::requireWritable() const {
    if (access_ == Access::Read || notWritable_ != 0) {
        errno = access_ == Access::Read ? EBADF : notWritable_;
        throwErrno("writing", path_);
    }
}

void ContactFile::acquire(LockKind kind) const {
    requireOpen();
    if (held_.join(kind)) {
        return;
    }
    if (kind == LockKind::Exclusive) {
        requireWritable();
    }
    const auto deadline = std::chrono::steady_clock::now() + lockWait_;
    // A writer that replaced the file while we waited: follow the path to the new file.
    for (;;) {
        lockInTurn(fd_, kind, deadline);
        bool current = false;
        try {
            current = descriptorIsFileAtPath();
        } catch (...) {
            ::flock(fd_, LOCK_UN);
            throw;
        }
        if (current) {
            break;
        }
        ::flock(fd_, LOCK_UN);
        reopen();
    }
    held_.take(kind);
    try {
        settleAfterOthers(kind);
    } catch (...) {
        release();
        throw;
    }
}

void ContactFile::release() const noexcept {
    if (held_.leave() && fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
    }
}

bool ContactFile::descriptorIsFileAtPath() const {
    struct stat atPath {};
    if (::stat(path_.c_str(), &atPath) != 0) {
        // Moved or removed by someone else: never write into a file nobody will see.
        throwErrno("opening", path_);
    }
    struct stat open {};
    if (::fstat(fd_, &open) != 0) {
        throwErrno("reading the state of", path_);
    }
    return atPath.st_dev == open.st_dev && atPath.st_ino == open.st_ino;
}

void ContactFile::reopen() const {
    const bool readOnly = access_ == Access::Read || notWritable_ != 0;
    const int fresh = readOnly ? ops_->openRead(path_) : ops_->openReadWrite(path_);
    ::close(fd_);
    fd_ = fresh;
}

void ContactFile::settleAfterOthers(LockKind kind) const {
    const std::string target = resolvedPath(path_);
    if (kind == LockKind::Exclusive) {
        // No other run is writing this file now: any temporary file of it or of its journal
        // is a killed run's.
        removeLeftoverTemporaries(target, *ops_);
        removeLeftoverTemporaries(journalPathOf(target), *ops_);
    }
    visibleLength_ = kWholeFile;
    settleInterruptedAppend(kind, journalPathOf(target));
    const std::int64_t length = std::min(ops_->size(fd_), visibleLength_);
    const std::int64_t extra = length % static_cast<std::int64_t>(kRecordSize);
    if (extra == 0) {
        return;
    }
    const std::string what = path_ + ": the last " + std::to_string(extra) +
                             " bytes are an incomplete record left by an interrupted write";
    if (kind == LockKind::Exclusive) {
        ops_->truncate(fd_, length - extra);
        ops_->sync(fd_);
        if (notes_) {
            notes_(what + "; they were cut off.");
        }
    } else {
        note(what + "; they are left out.");
    }
}

void ContactFile::settleInterruptedAppend(LockKind kind, const std::string& journalPath) const {
    const std::optional<AppendJournal> journal = readJournal(journalPath, *ops_);
    if (!journal) {
        return;
    }
    // A journal of a file since replaced (by a deletion) says nothing about this one.
    const bool ofThisFile = journalOf(fd_, journal->length) == *journal;
    const bool appended = ofThisFile && ops_->size(fd_) > journal->length;
    const std::string what =
        path_ + ": the records after record " +
        std::to_string(journal->length / static_cast<std::int64_t>(kRecordSize)) +
        " were added by an import or sync that was interrupted";
    if (kind == LockKind::Shared) {
        if (appended) {
            visibleLength_ = journal->length;
            note(what + "; they are left out.");
        }
        return;
    }
    if (appended) {
        ops_->truncate(fd_, journal->length);
        ops_->sync(fd_);
        if (notes_) {
            notes_(what + "; they were removed.");
        }
    }
    ops_->remove(journalPath);
    ops_->syncFolder(folderOf(journalPath));
}

void ContactFile::note(const std::string& text) const {
    if (!incompleteNoted_) {
        incompleteNoted_ = true;
        if (notes_) {
            notes_(text);
        }
    }
}

int ContactFile::countNow() const {
    const std::int64_t records =
        std::min(ops_->size(fd_), visibleLength_) / static_cast<std::int64_t>(kRecordSize);
    if (records > kMaxRecords) {
        throwError(err::kOverflow, "Overflow (" + path_ + " would hold " + std::to_string(records) +
                                       " records, more than " + std::to_string(kMaxRecords) + ")");
    }
    return static_cast<int>(records);
}

void ContactFile::requireRecord(int n) const {
    if (n < 1 || n > countNow()) {
        throwError(err::kBadRecordNumber, "Bad record number");
    }
}

int ContactFile::count() const {
    const Lock lock(*this, LockKind::Shared);
    return countNow();
}

std::string ContactFile::readRaw(int n) const {
    const Lock lock(*this, LockKind::Shared);
    requireRecord(n);
    std::string bytes(kRecordSize, ' ');
    ops_->readAt(fd_, bytes.data(), kRecordSize, offsetOf(n));
    return bytes;
}

ContactRecord ContactFile::read(int n) const {
    return decodeRecord(readRaw(n));
}

void ContactFile::forEachRecord(const RecordVisitor& visit) const {
    const Lock lock(*this, LockKind::Shared);
    const std::int64_t n = countNow();
    std::string block;
    ContactRecord record;
    for (std::int64_t first = 1; first <= n; first += kBlockRecords) {
        const std::int64_t count = std::min(kBlockRecords, n - first + 1);
        // Only what the file could not give is blanked, not every block before its read
        // (half a gigabyte of blanks for a million records).
        block.resize(static_cast<std::size_t>(count) * kRecordSize);
        const std::size_t got = ops_->readAt(fd_, block.data(), block.size(), offsetOf(first));
        std::fill(block.begin() + static_cast<std::ptrdiff_t>(got), block.end(), ' ');
        for (std::int64_t i = 0; i < count; ++i) {
            decodeRecordInto(std::string_view(block).substr(
                                 static_cast<std::size_t>(i) * kRecordSize, kRecordSize),
                             record);
            visit(static_cast<int>(first + i), record);
        }
    }
}

std::vector<ContactRecord> ContactFile::readRecords(std::span<const int> numbers) const {
    const Lock lock(*this, LockKind::Shared);
    const int count = countNow();
    std::vector<ContactRecord> records(numbers.size());
    char bytes[kRecordSize];
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int n = numbers[i];
        if (n < 1 || n > count) {
            throwError(err::kBadRecordNumber, "Bad record number");
        }
        std::fill(std::begin(bytes), std::end(bytes), ' ');
        ops_->readAt(fd_, bytes, kRecordSize, offsetOf(n));
        decodeRecordInto(std::string_view(bytes, kRecordSize), records[i]);
    }
    return records;
}

void ContactFile::write(int n, const ContactRecord& record) {
    const Lock lock(*this, LockKind::Exclusive);
    requireRecord(n);
    const std::string before = readRaw(n);
    const RecordBytes bytes = encodeRecord(record);
    try {
        ops_->writeAt(fd_, bytes.data(), bytes.size(), offsetOf(n));
        ops_->sync(fd_);
    } catch (...) {
        try {
            ops_->writeAt(fd_, before.data(), before.size(), offsetOf(n));
        } catch (const QmError&) {
            // The first failure is the one reported.
        }
        throw;
    }
}

int ContactFile::appendAll(const std::vector<ContactRecord>& records) {
    const Lock lock(*this, LockKind::Exclusive);
    const std::int64_t first = static_cast<std::int64_t>(countNow()) + 1;
    const std::int64_t last = first + static_cast<std::int64_t>(records.size()) - 1;
    if (last > kMaxRecords) {
        throwError(err::kOverflow, "Overflow (" + path_ + " would hold " + std::to_string(last) +
                                       " records, more than " + std::to_string(kMaxRecords) + ")");
    }
    if (records.empty()) {
        return static_cast<int>(last);
    }
    std::string bytes;
    bytes.reserve(records.size() * kRecordSize);
    for (const ContactRecord& r : records) {
        const RecordBytes one = encodeRecord(r);
        bytes.append(one.data(), one.size());
    }
    // One record is whole or an incomplete one that the next operation cuts off; several
    // go as one through the journal, which a kill leaves for the next operation.
    const std::int64_t former = offsetOf(first);
    const std::string journal = records.size() > 1 ? journalPathOf(resolvedPath(path_)) : "";
    if (!journal.empty()) {
        writeJournal(journal, journalOf(fd_, former), permissions(), *ops_);
    }
    try {
        ops_->writeAt(fd_, bytes.data(), bytes.size(), former);
        ops_->sync(fd_);
    } catch (...) {
        undoAppend(former, journal);
        throw;
    }
    if (!journal.empty()) {
        // The records are in once the journal is gone.
        ops_->remove(journal);
        ops_->syncFolder(folderOf(journal));
    }
    return static_cast<int>(last);
}

// Whole or absent: a refused contact never shows up half-written. Should a step fail, the
// journal (or, for one record, the incomplete record) is left for the next operation.
void ContactFile::undoAppend(std::int64_t former, const std::string& journal) noexcept {
    try {
        ops_->truncate(fd_, former);
        if (!journal.empty()) {
            ops_->sync(fd_);
            ops_->remove(journal);
            ops_->syncFolder(folderOf(journal));
        }
    } catch (const QmError&) {
        // The first failure is the one reported.
    }
}

void ContactFile::setAllReminderFlags(const std::string& flag) {
    const Lock lock(*this, LockKind::Exclusive);
    const char stored = storedField(flag, field::kReminder.width)[0];
    const std::int64_t n = countNow();
    std::string block;
    for (std::int64_t first = 1; first <= n; first += kBlockRecords) {
        const std::int64_t count = std::min(kBlockRecords, n - first + 1);
        block.assign(static_cast<std::size_t>(count) * kRecordSize, ' ');
        ops_->readAt(fd_, block.data(), block.size(), offsetOf(first));
        for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
            block[i * kRecordSize + field::kReminder.offset] = stored;
        }
        ops_->writeAt(fd_, block.data(), block.size(), offsetOf(first));
    }
    ops_->sync(fd_);
}

void ContactFile::deleteRecord(int n) {
    const Lock lock(*this, LockKind::Exclusive);
    requireRecord(n);
    const std::int64_t total = countNow();
    const std::string target = resolvedPath(path_);
    const TemporaryFile temp = createTemporaryBeside(target, *ops_);
    FdGuard guard{temp.fd};
    try {
        // Contacts are private data: the new file keeps the old one's permissions.
        ops_->copyPermissions(fd_, temp.fd);
        std::string block;
        std::int64_t written = 0;
        for (std::int64_t first = 1; first <= total; first += kBlockRecords) {
            const std::int64_t count = std::min(kBlockRecords, total - first + 1);
            block.assign(static_cast<std::size_t>(count) * kRecordSize, ' ');
            ops_->readAt(fd_, block.data(), block.size(), offsetOf(first));
            if (n >= first && n < first + count) {
                block.erase(static_cast<std::size_t>(n - first) * kRecordSize, kRecordSize);
            }
            ops_->writeAt(temp.fd, block.data(), block.size(), written);
            written += static_cast<std::int64_t>(block.size());
        }
        ops_->sync(temp.fd);
        // Locked before it takes the file's name, so that nobody writes to it until the
        // deletion is finished.
        if (!tryFlock(temp.fd, LockKind::Exclusive)) {
            throwError(err::kFileInUse, kFileInUseText);
        }
        ops_->rename(temp.path, target);
    } catch (...) {
        try {
            ops_->remove(temp.path);
        } catch (const QmError&) {
            // Removed by the next writer; the first failure is the one reported.
        }
        throw;
    }
    guard.fd = -1;
    replaceFile(temp, target);
}

// The temporary file is the contact file now: its descriptor (already locked) replaces the
// old one, whose lock goes with it.
void ContactFile::replaceFile(const TemporaryFile& temp, const std::string& target) {
    ::close(fd_);
    fd_ = temp.fd;
    incompleteNoted_ = false;
    ops_->syncFolder(folderOf(target));
}

bool looksLikeContactFile(std::string_view firstBytes) {
    if (firstBytes.empty()) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < field::kAll.size(); ++i) {
        const std::size_t separator = field::kAll[i].offset + field::kAll[i].width;
        if (separator < firstBytes.size() && firstBytes[separator] != '|') {
            return false;
        }
    }
    return firstBytes.size() < kRecordSize ||
           firstBytes.substr(field::kRecordEndOffset, 2) == "\r\n";
}

}  // namespace qm
