#pragma once

// How every window prints: a plan shown in the preview or sent through the print dialog,
// moved by its adjustment from the application folder's parameter file, and every failure
// while printing reported in one message, the plan's.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "records/parameter_file.h"
#include "surface/print_plan.h"

namespace qm {

// The parameter file of the application folder.
std::string parameterFilePath(const AppState& state);

// A section of the parameter file; a file that cannot be read is the printer problem,
// shown here, and gives nothing.
std::optional<Adjustment> readPrintAdjustment(AppState& state, QWidget* parent,
                                              std::string_view section);

// What a print command learns from its run.
struct PrintOutcome {
    bool printed = false;    // the pages went to a printer (not only to the preview)
    std::string deviceName;  // of the printer they went to
};

// The preview (preview) or the print dialog, opened with the plan's paper, page count and
// selection; then every copy the dialog asks for. `accepted` runs once the dialog gave a
// printer, before the pages go to it. Cancel ends quietly; a parameter file that cannot be
// read, or any failure while printing (the job is abandoned), shows the plan's problem.
PrintOutcome runPrintPlan(AppState& state, QWidget* parent, PrintPlan plan, bool preview,
                          const std::function<void()>& accepted = {});

}  // namespace qm
