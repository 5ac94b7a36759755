#pragma once

// The contact list's two ways into the contact browser: opening a listed contact, and going
// back to the browser when the list closes.

namespace qm {

class AppState;

// Opens the contact browser on the record, which becomes the current record, with its find
// list rebuilt and focused.
void openContactInBrowser(AppState& state, int record);

// Shows the loaded contact browser again and refreshes its find list.
void returnToContactBrowser(AppState& state);

}  // namespace qm
