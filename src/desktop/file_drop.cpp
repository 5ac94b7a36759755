#include "desktop/file_drop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace qm {

namespace {

bool isImportEnding(const QString& ending) {
    return ending == QLatin1String("csv") || ending == QLatin1String("vcf") ||
           ending == QLatin1String("vcard");
}

}  // namespace

std::optional<DroppedFile> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().first().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = data->urls().first().toLocalFile();
    const QString ending = QFileInfo(path).suffix().toLower();
    if (ending == QLatin1String("dat")) {
        return DroppedFile{DroppedKind::ContactFile, path};
    }
    if (isImportEnding(ending)) {
        return DroppedFile{DroppedKind::ImportFile, path};
    }
    return std::nullopt;
}

DroppedFile fileNamedAtStart(const QString& path) {
    const bool import = isImportEnding(QFileInfo(path).suffix().toLower());
    return DroppedFile{import ? DroppedKind::ImportFile : DroppedKind::ContactFile, path};
}

}  // namespace qm
