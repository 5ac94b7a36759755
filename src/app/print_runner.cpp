#include "app/print_runner.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <exception>
#include <memory>

#include "platform/messages.h"
#include "platform/qt_text.h"

namespace qm {

namespace {

PrintRequest requestFor(const PrintPlan& plan) {
    PrintRequest request;
    request.allowSelection = plan.selection != nullptr;
    request.orientation = plan.paper.orientation;
    request.pageCount = plan.pageCount;
    request.paper = plan.paper.paper;
    return request;
}

struct PrintRunner {
    Q_DECLARE_TR_FUNCTIONS(PrintRunner)
};

// Before any page leaves: what the job falls short in (lines cut, letters no installed face
// has) is told, and the user chooses whether the job goes ahead.
bool printDespiteShortfall(AppState& state, QWidget* parent, const PrintShortfall& shortfall) {
    QStringList told;
    if (!shortfall.cutLabels.empty()) {
        told += PrintRunner::tr(
                    "Some lines are too long for their label even in 7 point type and "
                    "have no free line to wrap onto. They will be cut short on %1.")
                    .arg(fromCore(cutLabelsText(shortfall.cutLabels)));
    }
    if (!shortfall.missingLetters.empty()) {
        told += PrintRunner::tr(
                    "No installed font has the letters %1. They will print as empty "
                    "boxes until the package named is installed.")
                    .arg(QString::fromStdString(missingLettersText(shortfall.missingLetters)));
    }
    told += PrintRunner::tr("Print anyway?");
    return state.platform.messageBox(parent, PrintRunner::tr("Not everything will print"),
                                     told.join(QStringLiteral("\n\n")), MsgButtons::YesNo,
                                     MsgIcon::Exclamation) == MsgAnswer::Yes;
}

// Every copy the dialog asked for; a failure abandons the job and is reported. False when the
// job was abandoned.
bool printOn(AppState& state, QWidget* parent, const PrintPlan& plan, Adjustment adjust,
             PrintJob& job) {
    try {
        return drawPlan(*job.surface, plan, adjust, job.copies, job.selection,
                        [&state, parent](const PrintShortfall& shortfall) {
                            return printDespiteShortfall(state, parent, shortfall);
                        });
    } catch (const std::exception&) {
        try {
            job.surface->killDoc();
        } catch (const std::exception&) {
            // A printer that cannot even abandon the job gets the same message.
        }
        showNotice(state.platform, parent, plan.problem);
        return false;
    }
}

std::optional<Adjustment> readOrReport(AppState& state, QWidget* parent, std::string_view section,
                                       const Notice& problem) {
    try {
        return readAdjustment(parameterFilePath(state), section);
    } catch (const std::exception&) {
        showNotice(state.platform, parent, problem);
        return std::nullopt;
    }
}

}  // namespace

std::string parameterFilePath(const AppState& state) {
    return parameterFilePath(QFile::encodeName(state.appFolder).toStdString());
}

std::optional<Adjustment> readPrintAdjustment(AppState& state, QWidget* parent,
                                              std::string_view section) {
    return readOrReport(state, parent, section, printerProblemNotice());
}

PrintOutcome runPrintPlan(AppState& state, QWidget* parent, PrintPlan plan, bool preview,
                          const std::function<void()>& accepted) {
    Adjustment adjust;
    if (!plan.adjustment.empty()) {
        const auto read = readOrReport(state, parent, plan.adjustment, plan.problem);
        if (!read) {
            return {};
        }
        adjust = *read;
    }
    // The preview keeps the job beyond this call.
    const auto shared = std::make_shared<const PrintPlan>(std::move(plan));
    const auto outcome = std::make_shared<PrintOutcome>();
    PreviewableJob job;
    job.pages = [shared, adjust](PrinterSurface& surface, int copies, bool selection) {
        drawPlan(surface, *shared, adjust, copies, selection);
    };
    job.print = [&state, parent, shared, adjust, outcome, accepted](PrintJob& printJob) {
        if (accepted) {
            accepted();
        }
        if (printOn(state, parent, *shared, adjust, printJob)) {
            *outcome = {true, printJob.surface->deviceName()};
        }
    };
    const PrintRequest request = requestFor(*shared);
    if (preview) {
        state.platform.printPreview(parent, request, job);
    } else if (PrintJob printJob = state.platform.printDialog(parent, request);
               !printJob.cancelled()) {
        job.print(printJob);
    }
    return *outcome;
}

}  // namespace qm
