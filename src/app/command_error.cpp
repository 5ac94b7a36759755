#include "app/command_error.h"

#include "app/app_state.h"
#include "platform/messages.h"

namespace qm {

void reportCommandError(AppState& state, QWidget* parent, const QmError& error) {
    if (showCommonError(state.platform, parent, error) == MsgAnswer::Cancel) {
        state.requestExit();
        return;
    }
    closeContactFile(state, parent);
}

void closeContactFile(AppState& state, QWidget* parent) {
    if (!unloadContactBrowser(state)) {
        return;
    }
    state.closeFile([&](const QmError& error) { showCommonError(state.platform, parent, error); });
}

bool unloadContactBrowser(AppState& state) {
    if (!state.contactBrowser.isNull() && !state.contactBrowser->close()) {
        return false;
    }
    state.currentRecord = 0;
    return true;
}

}  // namespace qm
