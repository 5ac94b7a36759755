#include "list/list_browser_link_window.h"

#include "app/app_state.h"

namespace qm {

// PENDING: the contact browser is not on this branch yet; these two become calls to
// openContactBrowserOnRecord and loadedContactBrowser()->refreshFindList().
void openContactInBrowser(AppState& state, int record) {
    state.currentRecord = record;
}

void returnToContactBrowser(AppState&) {}

}  // namespace qm
