#pragma once

// The rollback journal that makes an append of several records whole or absent: before the
// records are written, a small file beside the contact file keeps the file's length and
// identity (device and inode); it is removed once the records are synced. A journal another
// operation finds was left by a writer that was killed or lost power on the way: the file is
// cut back to that length. The identity keeps a journal from ever cutting a file that has
// replaced its own (a deletion renames a new file over the old one).

#include <cstdint>
#include <optional>
#include <string>

#include "records/file_ops.h"

namespace qm {

struct AppendJournal {
    std::int64_t length = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const AppendJournal&) const = default;
};

// Beside the file itself (the resolved path of a link): ".qmk-journal." + its name.
std::string journalPathOf(const std::string& target);

// The length and identity of the open file fd.
AppendJournal journalOf(int fd, std::int64_t length);

// Written whole (temporary, synced, renamed, folder synced) with the contact file's
// permissions.
void writeJournal(const std::string& path, const AppendJournal& journal, unsigned permissions,
                  FileOps& ops = systemFileOps());

// The journal at path, none when there is no file; a file there that is not a journal (no
// run of the program writes one) is an error rather than a guess.
std::optional<AppendJournal> readJournal(const std::string& path, FileOps& ops = systemFileOps());

}  // namespace qm
