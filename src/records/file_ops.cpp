#include "records/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

int FileOps::openTruncate(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throwErrno("creating", path);
    }
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

void FileOps::rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        throwErrno("renaming " + from + " to", to);
    }
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

void writeFileAtomically(const std::string& path, const std::string& bytes, FileOps& ops) {
    const std::string temp = path + ".tmp";
    const int fd = ops.openTruncate(temp);
    try {
        ops.writeAt(fd, bytes.data(), bytes.size(), 0);
        ops.sync(fd);
    } catch (...) {
        ::close(fd);
        ops.remove(temp);
        throw;
    }
    ops.close(fd);
    ops.rename(temp, path);
    ops.syncFolder(folderOf(path));
}

std::string readWholeFile(const std::string& path, FileOps& ops) {
    const int fd = ops.openRead(path);
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(ops.size(fd)));
        bytes.resize(ops.readAt(fd, bytes.data(), bytes.size(), 0));
    } catch (...) {
        ::close(fd);
        throw;
    }
    ops.close(fd);
    return bytes;
}

}  // namespace qm
