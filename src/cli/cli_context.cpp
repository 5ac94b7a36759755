#include "cli/cli_context.h"

#include <cerrno>
#include <ostream>

#include "records/code_page.h"
#include "records/error.h"
#include "records/file_ops.h"
#include "records/open_contact_store.h"

namespace qm::cli {

std::unique_ptr<ContactStore> openContacts(Context& context, const std::string& path, FileUse use) {
    if (use != FileUse::Create && !systemFileOps().exists(path)) {
        errno = ENOENT;
        throwErrno("opening", path);
    }
    std::unique_ptr<ContactStore> contacts = openContactStore(
        path, use == FileUse::Read ? ContactStore::Access::Read : ContactStore::Access::ReadWrite);
    std::ostream& err = context.err;
    contacts->setNoteSink(
        [&err](const std::string& note) { err << "quillmark: " << note << "\n"; });
    return contacts;
}

void removeIfMadeEmpty(ContactStore& contacts, const std::string& path, bool existed) {
    if (existed) {
        return;
    }
    const ContactStore::Lock lock(contacts, LockKind::Exclusive);
    if (contacts.count() == 0) {
        systemFileOps().remove(path);
    }
}

void removeIfMadeEmptyAfterFailure(Context& context, ContactStore& contacts,
                                   const std::string& path, bool existed) {
    try {
        removeIfMadeEmpty(contacts, path, existed);
    } catch (const QmError& e) {
        context.err << "quillmark: " << path
                    << " was made for this command and stays, empty: " << e.description()
                    << " (error " << e.number() << ")\n";
    }
}

void Context::requireAppFolder() const {
    if (appFolderProblem) {
        throw QmError(appFolderProblem->number(),
                      "The application folder " + appFolder +
                          " could not be prepared: " + appFolderProblem->description());
    }
}

std::string argText(const std::string& arg) {
    return validUtf8(arg);
}

std::string storableArg(const std::string& arg, const FieldLimits& limits) {
    return limits.storable(validUtf8(arg)).text;
}

}  // namespace qm::cli
