#pragma once

namespace qm {

class ContactFile;

// File > Exit of the import and export windows: every file closed and the application ended
// at once, without the main window's exit steps.
void endApplicationAtOnce(ContactFile& contacts);

}  // namespace qm
