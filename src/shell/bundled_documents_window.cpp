#include "shell/bundled_documents_window.h"

#include <QFile>

#include "platform/lookups.h"
#include "records/error.h"
#include "records/file_ops.h"

// The resource initialiser lives in an object file of a static library; naming it here makes
// the linker keep it.
static void loadDocumentResources() {
    Q_INIT_RESOURCE(documents);
}

namespace qm {

void installBundledDocuments(const QString& folder) {
    loadDocumentResources();
    for (const char* name : {kUserManualFile, kStateListFile}) {
        const QString target = folder + QLatin1Char('/') + QString::fromLatin1(name);
        if (QFile::exists(target)) {
            continue;
        }
        QFile bundled(QStringLiteral(":/documents/") + QString::fromLatin1(name));
        if (!bundled.open(QIODevice::ReadOnly)) {
            throwError(err::kFileNotFound, std::string("File not found (bundled ") + name + ")");
        }
        const QByteArray bytes = bundled.readAll();
        writeFileAtomically(QFile::encodeName(target).toStdString(),
                            std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
}

}  // namespace qm
