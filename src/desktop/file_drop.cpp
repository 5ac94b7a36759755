#include "desktop/file_drop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "exchange/contact_formats.h"

namespace qm {

namespace {

// What the desktop hands over by this file's ending: none for a format it does not open.
std::optional<DroppedKind> kindOfEnding(const QString& path) {
    const ContactFormat* format = formatOfEnding(QFileInfo(path).suffix().toStdString());
    if (format == nullptr || !format->desktopOpens()) {
        return std::nullopt;
    }
    return format->role == FormatRole::ContactStore ? DroppedKind::ContactFile
                                                    : DroppedKind::ImportFile;
}

}  // namespace

std::optional<DroppedFile> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().first().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = data->urls().first().toLocalFile();
    if (const auto kind = kindOfEnding(path)) {
        return DroppedFile{*kind, path};
    }
    return std::nullopt;
}

DroppedFile fileNamedAtStart(const QString& path) {
    const auto kind = kindOfEnding(path);
    return DroppedFile{kind.value_or(DroppedKind::ContactFile), path};
}

}  // namespace qm
