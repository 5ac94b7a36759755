#include "records/contact_file.h"

#include <unistd.h>

#include <cmath>

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
    const std::int64_t length = ops_->size(fd_);
    const int n = countFromLength(length);
    std::string bytes(static_cast<std::size_t>(n) * kRecordSize, ' ');
    ops_->readAt(fd_, bytes.data(), bytes.size(), 0);
    std::vector<ContactRecord> records;
    records.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        records.push_back(decodeRecord(std::string_view(bytes).substr(
            static_cast<std::size_t>(i) * kRecordSize, kRecordSize)));
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
    const ContactRecord original = read(n);
    ContactRecord marked = original;
    marked.firstName = std::string(kDeletedMarker);
    write(n, marked);
    const std::string target = path_;
    try {
        compactInto(total);
        ops_->rename(folderOf(target) + "/" + tempFileName(), target);
    } catch (const QmError&) {
        // The file is still the old one: give the contact back its name, so a failed deletion
        // changes nothing. Should even that fail, the marked record goes with the next one.
        try {
            write(n, original);
        } catch (const QmError&) {
            // The compaction's error is the one to report.
        }
        throw;
    }
    ops_->syncFolder(folderOf(target));
    open(target);
}

void ContactFile::compactInto(int total) {
    // Survivors, read in one pass from the raw bytes so nothing but the marker is changed.
    std::string bytes(static_cast<std::size_t>(total) * kRecordSize, ' ');
    ops_->readAt(fd_, bytes.data(), bytes.size(), 0);
    std::string kept;
    kept.reserve(bytes.size());
    for (int j = 0; j < total; ++j) {
        const std::string_view rec =
            std::string_view(bytes).substr(static_cast<std::size_t>(j) * kRecordSize, kRecordSize);
        if (rec.substr(0, kDeletedMarker.size()) != kDeletedMarker) {
            kept.append(rec);
        }
    }
    FdGuard guard{ops_->openTruncate(folderOf(path_) + "/" + tempFileName())};
    ops_->writeAt(guard.fd, kept.data(), kept.size(), 0);
    ops_->sync(guard.fd);
    const int fd = guard.fd;
    guard.fd = -1;
    ops_->close(fd);
}

}  // namespace qm
