// The main window's envelope options, the envelope job of the Print command, Clear Form and
// return-address labels.
#include "shell/main_window.h"

void frmDEdavu::envelopeClicked() {}

void frmDEdavu::envelopeSizePicked(int) {}

void frmDEdavu::printEnvelopeJob(qm::PrinterSurface&, int, int) {}

void frmDEdavu::clearForm() {}

void frmDEdavu::returnAddressCommand() {}
