#include "cli/cli_context.h"

#include <cerrno>
#include <ostream>

#include "records/code_page.h"
#include "records/code_page_fold.h"
#include "records/contact_file.h"
#include "records/error.h"
#include "records/file_ops.h"

namespace qm::cli {

void openContactFile(Context& context, ContactFile& file, const std::string& path, FileUse use) {
    if (use != FileUse::Create && !systemFileOps().exists(path)) {
        errno = ENOENT;
        throwErrno("opening", path);
    }
    file.open(path,
              use == FileUse::Read ? ContactFile::Access::Read : ContactFile::Access::ReadWrite);
    std::ostream& err = context.err;
    file.setNoteSink([&err](const std::string& note) { err << "quillmark: " << note << "\n"; });
}

void removeIfMadeEmpty(ContactFile& file, const std::string& path, bool existed) {
    if (existed) {
        return;
    }
    const ContactFile::Lock lock(file, LockKind::Exclusive);
    if (file.count() == 0) {
        systemFileOps().remove(path);
    }
}

void removeIfMadeEmptyAfterFailure(Context& context, ContactFile& file, const std::string& path,
                                   bool existed) {
    try {
        removeIfMadeEmpty(file, path, existed);
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

std::string argText(const std::string& utf8) {
    return foldToCodePage(utf8).text;
}

std::string outText(const std::string& cp1252) {
    return cp1252ToUtf8(cp1252);
}

}  // namespace qm::cli
