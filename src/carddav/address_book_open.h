#pragma once

// How the main window starts the address book server commands, without knowing the dialog's
// class.

class QWidget;

namespace qm {

class AppState;

// "From an address book server...": every card of an address book imported into the open
// contact file.
void importFromAddressBook(AppState& state, QWidget* parent);

// "Keep in step with an address book...": the open contact file synced with an address book.
void keepInStepWithAddressBook(AppState& state, QWidget* parent);

}  // namespace qm
