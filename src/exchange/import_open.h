#pragma once

// How the main window opens Import Contacts, without knowing the window's class.

class QString;
class frmLMImport;

namespace qm {

class AppState;

// Import Contacts: the import window in the main window's place, with the file chosen when
// the path is not empty.
frmLMImport* openImportWindow(AppState& state, const QString& path);

}  // namespace qm
