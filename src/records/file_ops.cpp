#include "records/file_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

// Writes and syncs a temporary file; it is gone again when any step fails.
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
}

// Whether `fd` is the file at `path` now (a cleaner may have removed the name in between).
bool stillAt(int fd, const std::string& path) {
    struct stat open {};
    struct stat atPath {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &atPath) == 0 &&
           open.st_dev == atPath.st_dev && open.st_ino == atPath.st_ino;
}

// Takes a leftover's lock without waiting; false while a running writer holds it.
bool lockedByNobody(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ELOOP;  // a planted link is no run's file either
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

}  // namespace

TemporaryFile createTemporaryBeside(const std::string& target, FileOps& ops) {
    for (;;) {
        TemporaryFile temp;
        temp.path = folderOf(target) + "/" + temporaryStem(target);
        temp.fd = ops.createUnique(temp.path);
        // Made and locked in two steps: a cleaner that took it for a leftover in between has
        // removed its name, and another is made.
        if (::flock(temp.fd, LOCK_EX | LOCK_NB) == 0 && stillAt(temp.fd, temp.path)) {
            return temp;
        }
        ::close(temp.fd);
    }
}

void removeLeftoverTemporaries(const std::string& target, FileOps& ops) {
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
    for (const std::string& path : leftovers) {
        int fd = -1;
        if (lockedByNobody(path, fd)) {
            ops.remove(path);
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

AtomicFileWriter::AtomicFileWriter(const std::string& path, FileOps& ops,
                                   std::optional<unsigned> permissions)
    : path_(path), ops_(ops) {
    removeLeftoverTemporaries(path, ops);
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
    // Renamed while still open and locked, so that no cleaner takes it for a leftover.
    ops_.rename(temp_.path, path_);
    committed_ = true;
    open_ = false;
    ops_.close(temp_.fd);
    ops_.syncFolder(folderOf(path_));
}

void writeFileAtomically(const std::string& path, const std::string& bytes, FileOps& ops,
                         std::optional<unsigned> permissions) {
    AtomicFileWriter file(path, ops, permissions);
    file.write(bytes);
    file.commit();
}

bool createFileAtomically(const std::string& path, const std::string& bytes, FileOps& ops) {
    removeLeftoverTemporaries(path, ops);
    const TemporaryFile temp = createTemporaryBeside(path, ops);
    fillTemporary(temp, bytes, newFilePermissions(), ops);
    bool made = false;
    try {
        // Renamed while still open and locked, so that no cleaner takes it for a leftover.
        made = ops.renameNoReplace(temp.path, path);
    } catch (...) {
        discard(temp, ops);
        throw;
    }
    if (!made) {
        discard(temp, ops);
        return false;
    }
    ops.close(temp.fd);
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
