// New, Open and Close of contact files, and the birthday-reminder commands.
#include "shell/main_window.h"

void frmDEdavu::fileNew() {}

void frmDEdavu::fileOpen() {}

void frmDEdavu::fileClose() {}

void frmDEdavu::remindersOnCommand() {}

void frmDEdavu::remindersOffCommand() {}
