#pragma once

// Messages several windows show in the same words.

#include <QString>

#include "platform/platform_services.h"
#include "records/error.h"
#include "records/notice.h"

namespace qm {

// The common error message, titled "Error", with Retry and Cancel.
MsgAnswer showCommonError(PlatformServices& platform, QWidget* parent, const QmError& error);

// "A printer problem exists.  Check printer." with the exclamation icon, titled "Printer
// error".
void showPrinterProblem(PlatformServices& platform, QWidget* parent);

// A failed input check of a printing command, with an OK button.
void showNotice(PlatformServices& platform, QWidget* parent, const Notice& notice);
// Printing checks beep before they speak.
void beepNotice(PlatformServices& platform, QWidget* parent, const Notice& notice);

}  // namespace qm
