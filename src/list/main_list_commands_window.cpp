// The main window's way into the contact list.
#include "list/contact_list_window.h"
#include "shell/main_window.h"

void frmDEdavu::openContactList() {
    auto* list = new frmViewAll(state_);
    showInsteadOfMain(list);
    list->selectStartOptions();
}
