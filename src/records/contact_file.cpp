#include "records/contact_file.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

namespace {

std::int64_t offsetOf(int n) {
    return static_cast<std::int64_t>(n - 1) * kRecordSize;
}

int countFromLength(std::int64_t length) {
    return static_cast<int>(std::nearbyint(static_cast<double>(length) / kRecordSize));
}

// Closes a descriptor on the way out of a failed step without hiding the first error.
struct FdGuard {
    int fd;
    ~FdGuard() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

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

// The temporary file of a compaction, in the contact file's own folder so the rename is one
// step; never the contact file itself, whatever that is called.
std::string temporaryBeside(const std::string& target) {
    const std::string folder = folderOf(target);
    std::string temp = folder + "/" + ContactFile::tempFileName();
    if (temp == target) {
        temp += ".tmp";
    }
    return temp;
}

}  // namespace

ContactFile::~ContactFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void ContactFile::open(const std::string& path) {
    close();
    fd_ = ops_->openReadWrite(path);
    path_ = path;
}

void ContactFile::close() {
    if (fd_ < 0) {
        return;
    }
    const int fd = fd_;
    fd_ = -1;
    path_.clear();
    ops_->close(fd);
}

void ContactFile::requireOpen() const {
    if (fd_ < 0) {
        throwError(err::kBadFileNameOrNumber, "Bad file name or number");
    }
}

void ContactFile::requireRecord(int n) const {
    requireOpen();
    if (n < 1) {
        throwError(err::kBadRecordNumber, "Bad record number");
    }
}

int ContactFile::count() const {
    requireOpen();
    return countFromLength(ops_->size(fd_));
}

std::string ContactFile::readRaw(int n) const {
    requireRecord(n);
    std::string bytes(kRecordSize, ' ');
    ops_->readAt(fd_, bytes.data(), kRecordSize, offsetOf(n));
    return bytes;
}

ContactRecord ContactFile::read(int n) const {
    return decodeRecord(readRaw(n));
}

std::vector<ContactRecord> ContactFile::readAll() const {
    requireOpen();
    const int n = countFromLength(ops_->size(fd_));
    std::vector<ContactRecord> records;
    records.reserve(static_cast<std::size_t>(n));
    // In blocks: one read per block keeps the throughput of one big read without holding the
    // whole file in memory beside the decoded records.
    constexpr int kBlockRecords = 2048;
    std::string block;
    for (int first = 1; first <= n; first += kBlockRecords) {
        const int count = std::min(kBlockRecords, n - first + 1);
        // Bytes missing at the end of a short last record read as blanks.
        block.assign(static_cast<std::size_t>(count) * kRecordSize, ' ');
        ops_->readAt(fd_, block.data(), block.size(), offsetOf(first));
        for (int i = 0; i < count; ++i) {
            records.push_back(decodeRecord(std::string_view(block).substr(
                static_cast<std::size_t>(i) * kRecordSize, kRecordSize)));
        }
    }
    return records;
}

void ContactFile::write(int n, const ContactRecord& record) {
    requireRecord(n);
    const RecordBytes bytes = encodeRecord(record);
    ops_->writeAt(fd_, bytes.data(), bytes.size(), offsetOf(n));
}

int ContactFile::append(const ContactRecord& record) {
    const int n = count() + 1;
    write(n, record);
    return n;
}

int ContactFile::appendAll(const std::vector<ContactRecord>& records) {
    const int first = count() + 1;
    std::string bytes;
    bytes.reserve(records.size() * kRecordSize);
    for (const ContactRecord& r : records) {
        const RecordBytes one = encodeRecord(r);
        bytes.append(one.data(), one.size());
    }
    ops_->writeAt(fd_, bytes.data(), bytes.size(), offsetOf(first));
    return first + static_cast<int>(records.size()) - 1;
}

void ContactFile::setAllReminderFlags(const std::string& flag) {
    std::vector<ContactRecord> records = readAll();
    std::string bytes;
    bytes.reserve(records.size() * kRecordSize);
    for (ContactRecord& r : records) {
        r.reminder = flag;
        const RecordBytes one = encodeRecord(r);
        bytes.append(one.data(), one.size());
    }
    ops_->writeAt(fd_, bytes.data(), bytes.size(), 0);
}

void ContactFile::deleteRecord(int n) {
    const int total = count();
    if (n < 1 || n > total) {
        throwError(err::kBadRecordNumber, "Bad record number");
    }
    const std::string target = resolvedPath(path_);
    const std::string temp = temporaryBeside(target);
    const std::string original = readRaw(n);
    ContactRecord marked = decodeRecord(original);
    marked.firstName = std::string(kDeletedMarker);
    write(n, marked);

    bool replaced = false;
    try {
        // Survivors, read in one pass from the raw bytes so nothing but the marker is changed.
        std::string bytes(static_cast<std::size_t>(total) * kRecordSize, ' ');
        ops_->readAt(fd_, bytes.data(), bytes.size(), 0);
        std::string kept;
        kept.reserve(bytes.size());
        for (int j = 0; j < total; ++j) {
            const std::string_view rec = std::string_view(bytes).substr(
                static_cast<std::size_t>(j) * kRecordSize, kRecordSize);
            if (rec.substr(0, kDeletedMarker.size()) != kDeletedMarker) {
                kept.append(rec);
            }
        }
        {
            FdGuard guard{ops_->openTruncate(temp)};
            // Contacts are private data: the new file keeps the old one's permissions.
            ops_->copyPermissions(fd_, guard.fd);
            ops_->writeAt(guard.fd, kept.data(), kept.size(), 0);
            ops_->sync(guard.fd);
            const int fd = guard.fd;
            guard.fd = -1;
            ops_->close(fd);
        }
        ops_->rename(temp, target);
        replaced = true;
        ops_->syncFolder(folderOf(target));
    } catch (...) {
        if (!replaced) {
            unmark(n, original, temp);
        }
        throw;
    }
    const std::string reopened = path_;
    open(reopened);
}

// A deletion that failed before the file was replaced puts the record back as it was, so no
// contact shows as "*DELETED*", and leaves no half-written temporary file behind.
void ContactFile::unmark(int n, const std::string& original, const std::string& temp) noexcept {
    try {
        ops_->writeAt(fd_, original.data(), original.size(), offsetOf(n));
        ops_->remove(temp);
    } catch (const QmError&) {
        // The first failure is the one reported; a record left marked goes with the next
        // deletion, and the next compaction empties the temporary file before using it.
    }
}

}  // namespace qm
