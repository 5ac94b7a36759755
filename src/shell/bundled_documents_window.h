#pragma once

// The user manual and the state list travel inside the program and are put into the
// application folder when missing, so the Help commands always find them.

#include <QString>

namespace qm {

// Writes each document the folder lacks; a document already there is left alone.
// Throws QmError when one cannot be written.
void installBundledDocuments(const QString& folder);

}  // namespace qm
