#pragma once

// How the main window opens Export Contacts, without knowing the window's class.

namespace qm {

class AppState;

// Export Contacts: the export window in the main window's place.
void openExportWindow(AppState& state);

}  // namespace qm
