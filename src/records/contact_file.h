#pragma once

// The open contact file: fixed 513-byte records numbered from 1, no header. The count is
// always taken from the file length.

#include <string>
#include <vector>

#include "records/contact_record.h"
#include "records/file_ops.h"

namespace qm {

class ContactFile {
  public:
    explicit ContactFile(FileOps& ops = systemFileOps()) : ops_(&ops) {}
    ~ContactFile();
    ContactFile(const ContactFile&) = delete;
    ContactFile& operator=(const ContactFile&) = delete;

    // Closes any open file, then opens path, creating an empty file when it is missing.
    void open(const std::string& path);
    // Closing when nothing is open does nothing.
    void close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    // File length / 513, rounded with halves to the even neighbour.
    int count() const;
    // Record n (1..count); bytes missing at the end of a short last record read as blanks.
    ContactRecord read(int n) const;
    std::string readRaw(int n) const;
    // Every record in order, in one pass over the file.
    std::vector<ContactRecord> readAll() const;
    void write(int n, const ContactRecord& record);
    // Writes at count + 1 and returns that number.
    int append(const ContactRecord& record);
    // Several records at once, in one write.
    int appendAll(const std::vector<ContactRecord>& records);
    void setAllReminderFlags(const std::string& flag);
    // Removes record n and closes the gap. The survivors are written to a temporary file in
    // the contact file's folder, flushed and renamed over the file in one step. A failure
    // before the rename leaves the file as it was; after it, the deletion is complete.
    void deleteRecord(int n);

    static std::string tempFileName() { return "Tempf"; }

  private:
    // Writes every unmarked record of the first `total` into the temporary file, synced.
    void compactInto(int total);
    void requireOpen() const;
    void requireRecord(int n) const;

    FileOps* ops_;
    int fd_ = -1;
    std::string path_;
};

}  // namespace qm
