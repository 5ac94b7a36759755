#include "app/print_runner.h"

#include <QFile>
#include <exception>
#include <memory>

#include "platform/messages.h"

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

// Every copy the dialog asked for; a failure abandons the job and is reported.
bool printOn(AppState& state, QWidget* parent, const PrintPlan& plan, Adjustment adjust,
             PrintJob& job) {
    try {
        drawPlan(*job.surface, plan, adjust, job.copies, job.selection);
        return true;
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
