#include "printing/calibration_window.h"

#include <QCoreApplication>

#include "app/app_state.h"
#include "app/command_error.h"
#include "app/print_runner.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/calibration.h"
#include "printing/label_stock.h"
#include "records/parameter_file.h"

namespace qm {

namespace {

struct Calibration {
    Q_DECLARE_TR_FUNCTIONS(Calibration)
};

constexpr CalibrationLayout kChoices[] = {CalibrationLayout::Labels, CalibrationLayout::ListLabels,
                                          CalibrationLayout::ReturnLabels,
                                          CalibrationLayout::Envelope};

std::optional<CalibrationLayout> askLayout(PlatformServices& platform, QWidget* parent) {
    while (true) {
        const QString answer = platform.inputBox(
            parent, Calibration::tr("Calibrate print position"),
            Calibration::tr("Which layout do you want to calibrate?  1 On-the-fly labels, "
                            "2 Search-result labels, 3 Return address labels, 4 Envelope."),
            QStringLiteral("1"));
        if (answer.trimmed().isEmpty()) {
            return std::nullopt;
        }
        bool ok = false;
        const int n = answer.trimmed().toInt(&ok);
        if (ok && n >= 1 && n <= 4) {
            return kChoices[n - 1];
        }
        platform.messageBox(parent, Calibration::tr("Non-valid entry"),
                            Calibration::tr("Enter 1, 2, 3 or 4."));
    }
}

// A distance in points; nothing when the answer is empty (no change).
std::optional<double> askDistance(PlatformServices& platform, QWidget* parent,
                                  const QString& prompt) {
    while (true) {
        const QString answer =
            platform.inputBox(parent, Calibration::tr("How far did the print land?"), prompt);
        if (answer.trimmed().isEmpty()) {
            return std::nullopt;
        }
        if (const auto points = parseDistance(toCore(answer))) {
            return points;
        }
        platform.messageBox(parent, Calibration::tr("Non-valid entry"),
                            Calibration::tr("Enter a distance with its unit, in inches or "
                                            "millimetres: 0.05 in, 1/16 in or -1.5 mm."));
    }
}

QString adjustmentText(Adjustment a) {
    return Calibration::tr("%1 columns right, %2 lines down").arg(a.left).arg(a.top);
}

}  // namespace

void calibrate(AppState& state, QWidget* parent) {
    PlatformServices& platform = state.platform;
    const auto layout = askLayout(platform, parent);
    if (!layout) {
        return;
    }
    const std::string path = parameterFilePath(state);
    const CalibrationTarget& target = calibrationTarget(*layout);
    const int size = envelopeSize(state.printOptions().envelopeSize) != nullptr
                         ? state.printOptions().envelopeSize
                         : 1;
    // Read here too: the messages below name it, and the measurement adds to it.
    Adjustment current;
    try {
        current = readAdjustment(path, target.section);
    } catch (const QmError& error) {
        reportCommandError(state, parent, error);
        return;
    }
    if (!runPrintPlan(state, parent, calibrationPlan(*layout, target.stock, size), true).printed) {
        return;
    }

    const QString title = fromCore(std::string(target.title));
    const QString now =
        Calibration::tr("The adjustment for %1 is now %2.").arg(title, adjustmentText(current));
    const auto right = askDistance(
        platform, parent,
        now + QLatin1Char(' ') +
            Calibration::tr("How far right of its place did the print land (the line marked 1 "
                            "from the paper's left edge, less 1 inch)?  Left is negative: "
                            "-0.05 in, -1.5 mm.  Empty: no change."));
    const auto down = askDistance(
        platform, parent,
        Calibration::tr("How far below its place did the print land (the line marked 1 from "
                        "the paper's top edge, less 1 inch)?  Higher is negative.  Empty: no "
                        "change."));
    const Adjustment wanted =
        calibratedAdjustment(*layout, current, right.value_or(0.0), down.value_or(0.0));
    if (wanted == current) {
        platform.messageBox(parent, Calibration::tr("Margins not adjusted"),
                            Calibration::tr("No margin adjustment made."));
        return;
    }
    try {
        storeAdjustment(path, *layout, current, wanted);
    } catch (const QmError& error) {
        reportCommandError(state, parent, error);
        return;
    }
    platform.messageBox(parent, Calibration::tr("Margin adjustment completed"),
                        Calibration::tr("The adjustment for %1 was %2 and is now %3.")
                            .arg(title, adjustmentText(current), adjustmentText(wanted)));
}

}  // namespace qm
