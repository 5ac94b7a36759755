#include "records/open_contact_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "records/contact_book.h"
#include "records/contact_file.h"
#include "records/error.h"

namespace qm {

namespace {

// Enough of a file to tell a book (the 100-byte SQLite header) and a contact file's first
// record apart; empty when there is no file or nothing in it.
std::string firstBytesOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return {};
        }
        throwErrno("opening", path);
    }
    std::string bytes(kRecordSize, '\0');
    ssize_t got = 0;
    do {
        got = ::read(fd, bytes.data(), bytes.size());
    } while (got < 0 && errno == EINTR);
    const int readError = errno;
    ::close(fd);
    if (got < 0) {
        errno = readError;
        throwErrno("reading", path);
    }
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

std::unique_ptr<ContactStore> openBook(const std::string& path, ContactStore::Access access) {
    auto book = std::make_unique<ContactBook>();
    book->open(path, access);
    return book;
}

}  // namespace

std::unique_ptr<ContactStore> openContactStore(const std::string& path,
                                               ContactStore::Access access) {
    const std::string first = firstBytesOf(path);
    if (looksLikeContactBook(first)) {
        return openBook(path, access);
    }
    if (looksLikeSqliteDatabase(first)) {
        // Never read nor written as contact records: it is some other program's data.
        throwError(err::kInvalidFileFormat,
                   path + " is not a contact book (a database of another program)");
    }
    // A new book is named by its ending; an empty file holds no contacts whatever its kind.
    if (hasContactBookEnding(path) && !first.empty() && !looksLikeContactFile(first)) {
        throwError(err::kInvalidFileFormat, path + " is neither a contact book nor a contact file");
    }
    if (hasContactBookEnding(path) && first.empty() && access == ContactStore::Access::ReadWrite) {
        return openBook(path, access);
    }
    auto file = std::make_unique<ContactFile>();
    file->open(path, access);
    return file;
}

const FieldLimits& fieldLimitsAt(const std::string& path) {
    const std::string first = firstBytesOf(path);
    if (looksLikeContactBook(first) || (first.empty() && hasContactBookEnding(path))) {
        return kContactBookLimits;
    }
    return kContactFileLimits;
}

std::unique_ptr<ContactStore> noContactStore() {
    // A contact file never opened fails each operation as a closed store does.
    return std::make_unique<ContactFile>();
}

}  // namespace qm
