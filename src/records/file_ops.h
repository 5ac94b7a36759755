#pragma once

// The file-system calls the contact and parameter files make, behind one seam so that tests
// can make any single step fail. Each call throws QmError (errno and its text) on failure.

#include <cstdint>
#include <string>

namespace qm {

class FileOps {
  public:
    virtual ~FileOps() = default;
    // Opens for reading and writing, creating the file when missing; returns a descriptor.
    virtual int openReadWrite(const std::string& path);
    // Opens an existing file for reading only.
    virtual int openRead(const std::string& path);
    // Opens for writing, creating or emptying the file.
    virtual int openTruncate(const std::string& path);
    virtual void close(int fd);
    virtual std::int64_t size(int fd);
    // Reads up to n bytes at offset; returns how many were read (fewer at the end).
    virtual std::size_t readAt(int fd, char* buffer, std::size_t n, std::int64_t offset);
    virtual void writeAt(int fd, const char* data, std::size_t n, std::int64_t offset);
    virtual void sync(int fd);
    // Gives file `to` the permission bits of file `from`.
    virtual void copyPermissions(int from, int to);
    virtual void rename(const std::string& from, const std::string& to);
    virtual void remove(const std::string& path);
    virtual bool exists(const std::string& path);
    // Flushes a folder's entries, so that a rename in it survives a crash.
    virtual void syncFolder(const std::string& folder);
};

FileOps& systemFileOps();

// Folder part of a path ("." when it has none).
std::string folderOf(const std::string& path);

// Writes a whole file or nothing: a temporary beside the target, synced, then renamed over it.
void writeFileAtomically(const std::string& path, const std::string& bytes,
                         FileOps& ops = systemFileOps());

// Reads a whole file.
std::string readWholeFile(const std::string& path, FileOps& ops = systemFileOps());

}  // namespace qm
