#pragma once

// The main window's Add Contact command (Edit, Find, Delete and One Contact open the contact
// browser, contact_browser_window.h).

class QWidget;

namespace qm {

class AppState;

// The typed lines are read as an address; a fresh Add Contact window shows the fields found.
void addContactFromTypedLines(AppState& state, QWidget* parent);

}  // namespace qm
