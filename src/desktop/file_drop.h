#pragma once

// Files dropped on the main window or named at start: a contact file opens as Open would
// open it; a file of a format the import reads and the desktop hands over (CSV, vCard)
// opens the import window with that file chosen. The ending decides, by the formats' table.

#include <QString>
#include <optional>

class QMimeData;

namespace qm {

enum class DroppedKind { ContactFile, ImportFile };

struct DroppedFile {
    DroppedKind kind;
    QString path;
};

// The one local file of a drop, when its ending says what to do with it; the ending's case
// does not matter.
std::optional<DroppedFile> droppedFile(const QMimeData* data);

// A file named at start (--open, a file manager's "Open with"): a CSV or vCard file by its
// ending is to be imported; any other is a contact file, whatever its ending.
DroppedFile fileNamedAtStart(const QString& path);

}  // namespace qm
