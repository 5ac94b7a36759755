// The main window's printing of its typed lines: label stock, envelopes, return-address
// labels, Clear Form and the Margins menu.
#include "shell/main_window.h"

void frmDEdavu::labelStockClicked() {}

void frmDEdavu::envelopeClicked() {}

void frmDEdavu::envelopeSizePicked(int) {}

void frmDEdavu::printCommand() {}

void frmDEdavu::clearForm() {}

void frmDEdavu::returnAddressCommand() {}

void frmDEdavu::adjustMargins(const char*) {}
