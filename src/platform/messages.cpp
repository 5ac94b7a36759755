#include "platform/messages.h"

#include "platform/qt_text.h"
#include "printing/print_command.h"

namespace qm {

MsgAnswer showCommonError(PlatformServices& platform, QWidget* parent, const QmError& error,
                          ErrorEnding ending) {
    // Descriptions of system errors may hold file names in UTF-8; the rest is plain ASCII.
    const QString text = QString::fromUtf8(commonErrorText(error, ending).c_str());
    return platform.messageBox(parent, QStringLiteral("Error"), text, MsgButtons::RetryCancel,
                               MsgIcon::Critical);
}

void showPrinterProblem(PlatformServices& platform, QWidget* parent, const QString& title) {
    platform.messageBox(parent, title, fromCp(printerProblemNotice().text), MsgButtons::Ok,
                        MsgIcon::Exclamation);
}

}  // namespace qm
