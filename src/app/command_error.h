#pragma once

// What a failed command of the main window (or of a part built into it) leads to, and the
// release of the contact file that its Retry shares with File > Close. Below every feature
// folder, so that each reports its errors in the same way.

class QWidget;

namespace qm {

class AppState;
class QmError;

// The common error message of a main-window command: Retry leaves no file open (the window
// never shows a file that is closed), Cancel ends the program.
void reportCommandError(AppState& state, QWidget* parent, const QmError& error);

// The contact browser unloaded and the file released; a failure is reported, and no file is
// open afterwards either way.
void closeContactFile(AppState& state, QWidget* parent);

// A browser kept loaded (hidden after Print Label) holds a record number of the file it was
// opened on; it must not come back over another file, where Save would overwrite a stranger.
// False when the browser stays, its unsaved changes kept at the user's word.
bool unloadContactBrowser(AppState& state);

}  // namespace qm
