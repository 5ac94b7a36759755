#include "platform/messages.h"

#include <QCoreApplication>

#include "platform/qt_text.h"
#include "surface/printer_surface.h"

namespace qm {

namespace {

struct Messages {
    Q_DECLARE_TR_FUNCTIONS(Messages)
};

}  // namespace

MsgAnswer showCommonError(PlatformServices& platform, QWidget* parent, const QmError& error) {
    // Descriptions of system errors may hold file names in UTF-8; the rest is plain ASCII.
    const QString text = QString::fromUtf8(commonErrorText(error).c_str());
    return platform.messageBox(parent, Messages::tr("Error"), text, MsgButtons::RetryCancel,
                               MsgIcon::Critical);
}

void showPrinterProblem(PlatformServices& platform, QWidget* parent) {
    showNotice(platform, parent, printerProblemNotice());
}

namespace {

MsgIcon iconOf(NoticeIcon icon) {
    switch (icon) {
        case NoticeIcon::Information:
            return MsgIcon::Information;
        case NoticeIcon::Exclamation:
            return MsgIcon::Exclamation;
        case NoticeIcon::None:
            break;
    }
    return MsgIcon::None;
}

}  // namespace

void showNotice(PlatformServices& platform, QWidget* parent, const Notice& notice) {
    platform.messageBox(parent, fromCore(notice.title), fromCore(notice.text), MsgButtons::Ok,
                        iconOf(notice.icon));
}

void beepNotice(PlatformServices& platform, QWidget* parent, const Notice& notice) {
    platform.beep();
    showNotice(platform, parent, notice);
}

}  // namespace qm
