// The main window's ways into the contact windows: Add Contact (through the address-line
// parser) and the contact browser.
#include "shell/main_window.h"

void frmDEdavu::addContactCommand() {}

void frmDEdavu::openContactBrowser(bool) {}
