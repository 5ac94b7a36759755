#pragma once

// The main window's file commands: New, Open and Close of contact files, the two
// birthday-reminder commands, and what an error of such a command leads to.

class QString;
class QWidget;

namespace qm {

class AppState;
class QmError;

// New adds ".DAT" to a name without an extension.
void newContactFile(AppState& state, QWidget* parent);
void openContactFile(AppState& state, QWidget* parent);
// The steps of Open after its dialog, for a file chosen another way (--open or a file
// manager's "Open with" at start, a recent file, a drop); a file that does not exist is an
// error rather than a new file.
void openContactFileAt(AppState& state, QWidget* parent, const QString& path);
// The contact browser unloaded and the file released; a failure is reported, and no file is
// open afterwards either way.
void closeContactFile(AppState& state, QWidget* parent);
void setEveryReminder(AppState& state, QWidget* parent, bool on);

// The common error message of a main-window command: Retry leaves no file open (the window
// never shows a file that is closed), Cancel ends the program.
void reportCommandError(AppState& state, QWidget* parent, const QmError& error);

}  // namespace qm
