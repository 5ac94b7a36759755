#pragma once

// The file-system calls the contact and parameter files make, behind one seam so that tests
// can make any single step fail. Each call throws QmError (errno and its text) on failure.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

class FileOps {
  public:
    virtual ~FileOps() = default;
    // Opens for reading and writing, creating the file when missing; returns a descriptor.
    virtual int openReadWrite(const std::string& path);
    // Opens an existing file for reading only.
    virtual int openRead(const std::string& path);
    // Creates a file that did not exist under path + six random characters (O_EXCL, so
    // neither an existing file nor a planted symbolic link is ever opened), readable and
    // writable by the owner only. Returns the descriptor; path receives the name made.
    virtual int createUnique(std::string& path);
    virtual void close(int fd);
    virtual std::int64_t size(int fd);
    // Reads up to n bytes at offset; returns how many were read (fewer at the end).
    virtual std::size_t readAt(int fd, char* buffer, std::size_t n, std::int64_t offset);
    virtual void writeAt(int fd, const char* data, std::size_t n, std::int64_t offset);
    virtual void truncate(int fd, std::int64_t length);
    virtual void sync(int fd);
    // Gives file `to` the permission bits of file `from`.
    virtual void copyPermissions(int from, int to);
    virtual void setPermissions(int fd, unsigned mode);
    virtual void rename(const std::string& from, const std::string& to);
    // Renames only when `to` does not exist; false (and nothing renamed) when it does.
    virtual bool renameNoReplace(const std::string& from, const std::string& to);
    virtual void remove(const std::string& path);
    virtual bool exists(const std::string& path);
    // Flushes a folder's entries, so that a rename in it survives a crash.
    virtual void syncFolder(const std::string& folder);
};

FileOps& systemFileOps();

// Folder part of a path ("." when it has none).
std::string folderOf(const std::string& path);
// File-name part of a path.
std::string fileNameOf(const std::string& path);

// Permission bits of a file the program creates: 0666 less the process's umask.
unsigned newFilePermissions();

// Every temporary file the program writes is named this prefix + the target's file name + "."
// + six random characters, in the target's folder, so that a rename puts it in place in one
// step and a leftover of a killed run is recognised as one.
inline constexpr std::string_view kTemporaryPrefix = ".qmk-tmp.";

// A temporary file is locked (flock) by the run that writes it for as long as its descriptor
// is open, so that a leftover of a killed run (whose lock went with it) is told apart from
// the file of a run still writing.
struct TemporaryFile {
    std::string path;
    int fd = -1;
};
TemporaryFile createTemporaryBeside(const std::string& target, FileOps& ops = systemFileOps());

// Removes the temporary files of target that no running writer holds: those a killed run
// left behind, however young.
void removeLeftoverTemporaries(const std::string& target, FileOps& ops = systemFileOps());

// A file written whole or not at all, piece by piece so that it need not be held whole: a
// unique temporary beside the target, filled as pieces come, then synced and renamed over
// the target by commit(), the folder synced. Dropped without commit (a failure on the way),
// the temporary goes again and the target stays as it was. The new file gets `permissions`,
// else those of a new file.
class AtomicFileWriter {
  public:
    AtomicFileWriter(const std::string& path, FileOps& ops = systemFileOps(),
                     std::optional<unsigned> permissions = std::nullopt);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

  private:
    std::string path_;
    FileOps& ops_;
    TemporaryFile temp_;
    std::int64_t written_ = 0;
    bool open_ = true;
    bool committed_ = false;
};

// Writes a whole file or nothing: a unique temporary beside the target, synced, renamed
// over it, the folder synced. The new file gets `permissions`, else those of a new file.
void writeFileAtomically(const std::string& path, const std::string& bytes,
                         FileOps& ops = systemFileOps(),
                         std::optional<unsigned> permissions = std::nullopt);

// The same, but only when path does not exist yet; another run that made it first wins.
// Returns whether this call made it.
bool createFileAtomically(const std::string& path, const std::string& bytes,
                          FileOps& ops = systemFileOps());

// Reads a whole file.
std::string readWholeFile(const std::string& path, FileOps& ops = systemFileOps());

}  // namespace qm
