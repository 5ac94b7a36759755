#include "list/list_browser_link_window.h"

#include "app/app_state.h"
#include "contacts/contact_browser_window.h"
#include "platform/messages.h"

namespace qm {

void openContactInBrowser(AppState& state, int record) {
    openContactBrowserOnRecord(state, record);
}

void returnToContactBrowser(AppState& state) {
    if (frmEdDelViewContact* browser = loadedContactBrowser(state)) {
        browser->show();
        browser->activateWindow();
        try {
            browser->refreshFindList();
        } catch (const QmError& e) {
            // The browser is on show either way; its find list stays as it was.
            showCommonError(state.platform, browser, e);
        }
    }
}

}  // namespace qm
