#pragma once

// What the contact list needs from other features: the contact browser (opening a listed
// contact, going back to it on close) and the search-result label adjustment.

namespace qm {

struct AppState;

// Opens the contact browser on the record, which becomes the current record, with its find
// list rebuilt and focused.
void openContactInBrowser(AppState& state, int record);

// Shows the loaded contact browser again and refreshes its find list.
void returnToContactBrowser(AppState& state);

struct LabelAdjustment {
    int left = 0;
    int top = 0;
};

// The BULKLIST adjustment of the parameter file; throws QmError when it cannot be read.
LabelAdjustment readSearchResultAdjustment(AppState& state);

}  // namespace qm
