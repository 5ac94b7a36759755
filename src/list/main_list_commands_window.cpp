// The main window's way into the contact list.
#include "shell/main_window.h"

void frmDEdavu::openContactList() {}
