#pragma once

// How the main window and the contact list open the contact browser and hand back to it,
// without knowing the window's class.

class frmEdDelViewContact;

namespace qm {
class AppState;
}

// From the main window: a browser still loaded (hidden after Print Label) shows again as it
// was; otherwise a fresh one is loaded. Focus on the find list when asked.
frmEdDelViewContact* openContactBrowser(qm::AppState& state, bool focusFind);

// From the contact list: reads the record (a failure throws, for the list to report), makes it
// the current record and shows it in the browser with everything enabled.
frmEdDelViewContact* openContactBrowserOnRecord(qm::AppState& state, int record);

// When the contact list closes: the loaded browser shows again with its find list refreshed.
void returnToContactBrowser(qm::AppState& state);

// Before the program ends: a loaded browser with unsaved changes asks what to do with them.
// False when the user cancelled, and the program keeps running.
bool settleContactBrowserChanges(qm::AppState& state);
