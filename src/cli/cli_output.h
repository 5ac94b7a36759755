#pragma once

// Where a printing subcommand's pages go: a PDF file (-o), a CUPS printer (--printer), one
// PNG image per page as the preview shows it (--png, --dpi), the text-grid pages as plain
// text (--text) or the text-grid record of runs (--runs). Every subcommand prints a plan.

#include <memory>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "records/parameter_file.h"
#include "surface/print_plan.h"

namespace qm::cli {

struct OutputKind;

// The options every printing subcommand takes.
OptionSet withOutputOptions(OptionSet options);

class Output {
  public:
    // Exactly one output must be chosen; deviceName (empty: the medium's own) stands for the
    // printer's device name. The output is opened here, before the command's own checks.
    Output(const Args& args, const std::string& deviceName);
    ~Output();

    // Every copy of the plan, moved by its adjustment from the parameter file; then, for
    // --text and --runs, what the text grid holds on standard output. A parameter file that
    // cannot be read, or any failure while printing (the job is abandoned), is refused as
    // the plan's problem.
    void print(Context& context, const PrintPlan& plan, int copies = 1);

  private:
    const OutputKind* kind_ = nullptr;
    std::unique_ptr<PrinterSurface> surface_;
};

// One section of the parameter file; a file that cannot be read is the printer problem, as
// in the windows' print commands.
Adjustment readAdjustmentOrRefuse(const Context& context, std::string_view section);

}  // namespace qm::cli
