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

}  // namespace qm
