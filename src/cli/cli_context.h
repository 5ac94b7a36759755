#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli/cli_args.h"
#include "records/contact_fields.h"
#include "records/error.h"
#include "records/notice.h"

namespace qm {
class ContactStore;
}

namespace qm::cli {

// Input the program refuses: its own message title and text, exit status 1.
class Refusal : public std::runtime_error {
  public:
    Refusal(std::string title, std::string text)
        : std::runtime_error(text), title_(std::move(title)), text_(std::move(text)) {}
    const std::string& title() const { return title_; }
    const std::string& text() const { return text_; }

  private:
    std::string title_;
    std::string text_;
};

// Refuses with a printing command's notice.
[[noreturn]] inline void refuse(const Notice& notice) {
    throw Refusal(notice.title, notice.text);
}

struct Context {
    std::ostream& out;
    std::ostream& err;
    // Resolved from --home, $QUILLMARK_HOME or the default, and prepared.
    std::string appFolder;
    // Why the folder could not be made or seeded (a full disk); only the commands that need
    // it fail then, through requireAppFolder.
    std::optional<QmError> appFolderProblem{};

    // Throws the reason the application folder is not ready, if any.
    void requireAppFolder() const;
};

enum class FileUse { Read, Change, Create };

// Opens the contacts at path for a subcommand. Only commands that add contacts may create a
// missing file; the others refuse it, so refused input changes no file. A file only read is
// opened read-only. Notes about the file (an incomplete last record) go to standard error.
std::unique_ptr<ContactStore> openContacts(Context& context, const std::string& path, FileUse use);

// A contact file made for this command (`existed` false) goes again when nothing came into
// it (nor from anyone else meanwhile: a writer waiting for it finds it gone and says so).
void removeIfMadeEmpty(ContactStore& contacts, const std::string& path, bool existed);
// The same after the command failed: the command's own error stays the one reported, so a
// failure here is told on standard error rather than thrown over it.
void removeIfMadeEmptyAfterFailure(Context& context, ContactStore& contacts,
                                   const std::string& path, bool existed);

// Arguments arrive in UTF-8, as the core's text is; a byte that is no UTF-8 becomes U+FFFD.
std::string argText(const std::string& arg);
// An argument that becomes a contact value (or is compared with contact values) in a store
// of these limits: its letters as the store holds them (as an import folds them), never "?".
std::string storableArg(const std::string& arg, const FieldLimits& limits);

}  // namespace qm::cli
