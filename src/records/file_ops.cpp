#include "records/file_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <vector>

#include "records/error.h"

namespace qm {

int FileOps::openReadWrite(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        throwErrno("opening", path);
    }
    return fd;
}

int FileOps::openRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throwErrno("opening", path);
    }
    return fd;
}

int FileOps::createUnique(std::string& path) {
    std::string name = path + "XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        throwErrno("creating", name);
    }
    path = name;
    return fd;
}

void FileOps::close(int fd) {
    if (::close(fd) != 0) {
        throwErrno("closing", "file");
    }
}

std::int64_t FileOps::size(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        throwErrno("reading the size of", "file");
    }
    return st.st_size;
}

std::size_t FileOps::readAt(int fd, char* buffer, std::size_t n, std::int64_t offset) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd, buffer + done, n - done, offset + done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwErrno("reading", "file");
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void FileOps::writeAt(int fd, const char* data, std::size_t n, std::int64_t offset) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t put = ::pwrite(fd, data + done, n - done, offset + done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwErrno("writing", "file");
        }
        done += static_cast<std::size_t>(put);
    }
}

void FileOps::truncate(int fd, std::int64_t length) {
    while (::ftruncate(fd, length) != 0) {
        if (errno != EINTR) {
            throwErrno("cutting", "file");
        }
    }
}

void FileOps::sync(int fd) {
    if (::fsync(fd) != 0) {
        throwErrno("flushing", "file");
    }
}

void FileOps::copyPermissions(int from, int to) {
    struct stat st {};
    if (::fstat(from, &st) != 0 || ::fchmod(to, st.st_mode & 07777) != 0) {
        throwErrno("setting the permissions of", "file");
    }
}

void FileOps::setPermissions(int fd, unsigned mode) {
    if (::fchmod(fd, static_cast<mode_t>(mode & 07777)) != 0) {
        throwErrno("setting the permissions of", "file");
    }
}

void FileOps::rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        throwErrno("renaming " + from + " to", to);
    }
}

bool FileOps::renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    // A file system without the flag: a hard link is made only when the name is free.
    if (errno == EINVAL || errno == ENOSYS) {
        if (::link(from.c_str(), to.c_str()) == 0) {
            remove(from);
            return true;
        }
        if (errno == EEXIST) {
            return false;
        }
    }
    throwErrno("renaming " + from + " to", to);
}

void FileOps::remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throwErrno("deleting", path);
    }
}

bool FileOps::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void FileOps::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        throwErrno("opening folder", folder);
    }
    const int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0 && errno != EINVAL) {
        throwErrno("flushing folder", folder);
    }
}

FileOps& systemFileOps() {
    static FileOps ops;
    return ops;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

unsigned newFilePermissions() {
    // umask can only be read by setting it; nothing else in the program creates files
    // between the two calls.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666U & ~static_cast<unsigned>(mask);
}

namespace {

std::string temporaryStem(const std::string& target) {
    return std::string(kTemporaryPrefix) + fileNameOf(target) + ".";
}

constexpr std::size_t kUniqueChars = 6;

// Removes a temporary file on the way out of a failed write; the first error is the one
// reported.
void removeTemporary(const std::string& path, FileOps& ops) noexcept {
    try {
        ops.remove(path);
    } catch (const QmError&) {
        // Left for removeLeftoverTemporaries.
    }
}

void discard(const TemporaryFile& temp, FileOps& ops) noexcept {
    ::close(temp.fd);
    removeTemporary(temp.path, ops);
}

// Writes, syncs and closes a temporary file; it is gone again when any step fails.
void fillTemporary(const TemporaryFile& temp, const std::string& bytes, unsigned permissions,
                   FileOps& ops) {
    try {
        ops.setPermissions(temp.fd, permissions);
        ops.writeAt(temp.fd, bytes.data(), bytes.size(), 0);
        ops.sync(temp.fd);
    } catch (...) {
        discard(temp, ops);
        throw;
    }
    ops.close(temp.fd);
}

// A killed export or seeding leaves its temporary behind; one older than this is no run's.
constexpr std::chrono::seconds kLeftoverAge{600};

}  // namespace

TemporaryFile createTemporaryBeside(const std::string& target, FileOps& ops) {
    TemporaryFile temp;
    temp.path = folderOf(target) + "/" + temporaryStem(target);
    temp.fd = ops.createUnique(temp.path);
    return temp;
}

void removeLeftoverTemporaries(const std::string& target, std::chrono::seconds minAge,
                               FileOps& ops) {
    const std::string folder = folderOf(target);
    const std::string stem = temporaryStem(target);
    std::vector<std::string> leftovers;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        throwErrno("reading folder", folder);
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() == stem.size() + kUniqueChars && name.substr(0, stem.size()) == stem) {
            leftovers.push_back(folder + "/" + std::string(name));
        }
    }
    ::closedir(dir);
    const std::time_t now = std::time(nullptr);
    for (const std::string& path : leftovers) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            continue;  // gone meanwhile
        }
        // A file's time may run a moment ahead of the clock read here: with no minimum age
        // every leftover goes, whatever its time says.
        if (minAge.count() == 0 || now - st.st_mtime >= minAge.count()) {
            ops.remove(path);
        }
    }
}

AtomicFileWriter::AtomicFileWriter(const std::string& path, FileOps& ops,
                                   std::optional<unsigned> permissions)
    : path_(path), ops_(ops) {
    removeLeftoverTemporaries(path, kLeftoverAge, ops);
    temp_ = createTemporaryBeside(path, ops);
    try {
        ops.setPermissions(temp_.fd, permissions.value_or(newFilePermissions()));
    } catch (...) {
        discard(temp_, ops);
        throw;
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (committed_) {
        return;
    }
    if (open_) {
        discard(temp_, ops_);
    } else {
        removeTemporary(temp_.path, ops_);
    }
}

void AtomicFileWriter::write(std::string_view bytes) {
    ops_.writeAt(temp_.fd, bytes.data(), bytes.size(), written_);
    written_ += static_cast<std::int64_t>(bytes.size());
}

void AtomicFileWriter::commit() {
    ops_.sync(temp_.fd);
    open_ = false;
    ops_.close(temp_.fd);
    ops_.rename(temp_.path, path_);
    committed_ = true;
    ops_.syncFolder(folderOf(path_));
}

void writeFileAtomically(const std::string& path, const std::string& bytes, FileOps& ops,
                         std::optional<unsigned> permissions) {
    AtomicFileWriter file(path, ops, permissions);
    file.write(bytes);
    file.commit();
}

bool createFileAtomically(const std::string& path, const std::string& bytes, FileOps& ops) {
    removeLeftoverTemporaries(path, kLeftoverAge, ops);
    const TemporaryFile temp = createTemporaryBeside(path, ops);
    fillTemporary(temp, bytes, newFilePermissions(), ops);
    bool made = false;
    try {
        made = ops.renameNoReplace(temp.path, path);
    } catch (...) {
        removeTemporary(temp.path, ops);
        throw;
    }
    if (!made) {
        removeTemporary(temp.path, ops);
        return false;
    }
    ops.syncFolder(folderOf(path));
    return true;
}

std::string readWholeFile(const std::string& path, FileOps& ops) {
    const int fd = ops.openRead(path);
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(ops.size(fd)));
        bytes.resize(ops.readAt(fd, bytes.data(), bytes.size(), 0));
    } catch (const std::bad_alloc&) {
        ::close(fd);
        throwError(err::kOutOfMemory, "Out of memory (reading " + path + ")");
    } catch (...) {
        ::close(fd);
        throw;
    }
    ops.close(fd);
    return bytes;
}

}  // namespace qm
