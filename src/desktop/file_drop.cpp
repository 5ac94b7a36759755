#include "desktop/file_drop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace qm {

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
    if (ending == QLatin1String("csv") || ending == QLatin1String("vcf") ||
        ending == QLatin1String("vcard")) {
        return DroppedFile{DroppedKind::ImportFile, path};
    }
    return std::nullopt;
}

}  // namespace qm
