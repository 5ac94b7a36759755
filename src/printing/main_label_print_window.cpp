// The main window's Print command and label stock: position entry, checks, print dialog,
// copies and the label job; and the Margins menu.
#include "shell/main_window.h"

void frmDEdavu::labelStockClicked() {}

void frmDEdavu::printCommand() {}

void frmDEdavu::adjustMargins(const char*) {}
