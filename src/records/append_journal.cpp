#include "records/append_journal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>

#include "records/error.h"

namespace qm {

namespace {

constexpr std::string_view kTag = "append-rollback ";
// More than any journal holds: a larger file is not one.
constexpr std::size_t kMaxJournalBytes = 128;

template <typename Number>
bool takeNumber(std::string_view& text, char end, Number& value) {
    const auto [rest, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || rest == text.data() || rest == text.data() + text.size() ||
        *rest != end) {
        return false;
    }
    text.remove_prefix(static_cast<std::size_t>(rest - text.data()) + 1);
    return true;
}

std::optional<AppendJournal> parseJournal(std::string_view text) {
    AppendJournal journal;
    if (text.substr(0, kTag.size()) != kTag) {
        return std::nullopt;
    }
    text.remove_prefix(kTag.size());
    if (!takeNumber(text, ' ', journal.length) || !takeNumber(text, ' ', journal.device) ||
        !takeNumber(text, '\n', journal.inode) || !text.empty() || journal.length < 0) {
        return std::nullopt;
    }
    return journal;
}

}  // namespace

std::string journalPathOf(const std::string& target) {
    return folderOf(target) + "/.qmk-journal." + fileNameOf(target);
}

AppendJournal journalOf(int fd, std::int64_t length) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        throwErrno("reading the state of", "contact file");
    }
    return {length, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

void writeJournal(const std::string& path, const AppendJournal& journal, unsigned permissions,
                  FileOps& ops) {
    const std::string text = std::string(kTag) + std::to_string(journal.length) + " " +
                             std::to_string(journal.device) + " " + std::to_string(journal.inode) +
                             "\n";
    writeFileAtomically(path, text, ops, permissions);
}

std::optional<AppendJournal> readJournal(const std::string& path, FileOps& ops) {
    if (!ops.exists(path)) {
        return std::nullopt;
    }
    const int fd = ops.openRead(path);
    std::string text(kMaxJournalBytes + 1, '\0');
    try {
        text.resize(ops.readAt(fd, text.data(), text.size(), 0));
    } catch (...) {
        ::close(fd);
        throw;
    }
    ops.close(fd);
    const std::optional<AppendJournal> journal = parseJournal(text);
    if (!journal) {
        throwError(EBADMSG, path +
                                " is not the rollback journal of an interrupted import; it is "
                                "left as it is (remove it to use the contact file)");
    }
    return journal;
}

}  // namespace qm
