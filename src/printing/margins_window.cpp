#include "printing/margins_window.h"

#include <QCoreApplication>

#include "app/app_state.h"
#include "app/command_error.h"
#include "app/print_runner.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/margins.h"
#include "records/parameter_file.h"

namespace qm {

namespace {

struct Margins {
    Q_DECLARE_TR_FUNCTIONS(Margins)
};

// Asks one margin question until the answer is empty or will do.
QString askMarginAnswer(PlatformServices& platform, QWidget* parent, MarginAxis axis) {
    while (true) {
        const QString answer = platform.inputBox(parent, fromCore(marginQuestionTitle(axis)),
                                                 fromCore(marginQuestionPrompt(axis)), QString());
        if (answer.isEmpty()) {
            return answer;
        }
        const auto failed = checkMarginAnswer(toCore(answer), axis);
        if (!failed) {
            return answer;
        }
        showNotice(platform, parent, *failed);
    }
}

}  // namespace

void adjustMargins(AppState& state, QWidget* parent, const char* section) {
    PlatformServices& platform = state.platform;
    platform.messageBox(parent, Margins::tr("Left margin adjustment"),
                        fromCore(marginExplanation(section, MarginAxis::LeftRight)), MsgButtons::Ok,
                        MsgIcon::None);
    const QString left = askMarginAnswer(platform, parent, MarginAxis::LeftRight);
    if (!left.isEmpty()) {
        platform.messageBox(parent, Margins::tr("Top margin adjustment"),
                            fromCore(marginExplanation(section, MarginAxis::DownUp)),
                            MsgButtons::Ok, MsgIcon::None);
    }
    const QString top = askMarginAnswer(platform, parent, MarginAxis::DownUp);

    try {
        addToAdjustment(parameterFilePath(state), section, toCore(left), toCore(top));
    } catch (const QmError& error) {
        reportCommandError(state, parent, error);
        return;
    }

    if (left.isEmpty() && top.isEmpty()) {
        platform.messageBox(parent, Margins::tr("Margins not adjusted"),
                            Margins::tr("No margin adjustment made."), MsgButtons::Ok,
                            MsgIcon::None);
    } else {
        platform.messageBox(
            parent, Margins::tr("Margin adjustment completed"),
            Margins::tr("D O N E !  Margin(s) for on-the-fly labels adjusted successfully."),
            MsgButtons::Ok, MsgIcon::None);
    }
}

}  // namespace qm
