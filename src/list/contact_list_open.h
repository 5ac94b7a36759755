#pragma once

// How the main window opens the contact list, without knowing the window's class.

namespace qm {

class AppState;

// Search Contacts and All Contacts: the list in the main window's place, all contacts by
// first name selected.
void openContactList(AppState& state);

}  // namespace qm
