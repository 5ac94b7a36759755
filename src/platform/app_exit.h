#pragma once

namespace qm {

class ContactStore;

// File > Exit of the import and export windows: every file closed and the application ended
// at once, without the main window's exit steps.
void endApplicationAtOnce(ContactStore& contacts);

}  // namespace qm
