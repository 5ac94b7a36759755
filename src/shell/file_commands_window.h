#pragma once

// The main window's file commands: New and Open of contact files and the two
// birthday-reminder commands (Close and the errors of such commands: app/command_error.h).

class QString;
class QWidget;

namespace qm {

class AppState;

// New offers a contact book and a contact file; a name typed without an ending takes the
// chosen kind's, else ".DAT".
void newContactFile(AppState& state, QWidget* parent);
void openContactFile(AppState& state, QWidget* parent);
// The steps of Open after its dialog, for a file chosen another way (--open or a file
// manager's "Open with" at start, a recent file, a drop); a file that does not exist is an
// error rather than a new file.
void openContactFileAt(AppState& state, QWidget* parent, const QString& path);
void setEveryReminder(AppState& state, QWidget* parent, bool on);
// Save As: the open contacts into a new store of the kind the name chooses, which then is
// the open one. Every value the new store keeps otherwise is shown first, with the
// question whether to go on; a store that holds contacts already is not written over.
void saveContactsAs(AppState& state, QWidget* parent);

}  // namespace qm
