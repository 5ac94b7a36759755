#pragma once

// Where a printing subcommand's pages go: a PDF file (-o), a CUPS printer (--printer), one
// PNG image per page as the preview shows it (--png, --dpi), the text-grid pages as plain
// text (--text) or the text-grid record of runs (--runs).

#include <functional>
#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "records/parameter_file.h"
#include "surface/printer_surface.h"

namespace qm {
class TextGridSurface;
}

namespace qm::cli {

// The options every printing subcommand takes.
OptionSet withOutputOptions(OptionSet options);

class Output {
  public:
    // Exactly one output must be chosen; deviceName (empty: the medium's own) stands for the
    // printer's device name.
    Output(const Args& args, const std::string& deviceName);
    ~Output();

    PrinterSurface& surface() { return *surface_; }
    // Writes what the text grid holds to standard output (for --text and --runs).
    void finish(Context& context);

  private:
    enum class Kind { Pdf, Printer, Images, Text, Runs } kind_;
    std::unique_ptr<PrinterSurface> surface_;
    TextGridSurface* grid_ = nullptr;
};

// One section of the parameter file; a file that cannot be read is the printer problem, as
// in the windows' print commands.
Adjustment readAdjustmentOrRefuse(const Context& context, const char* section);

// Runs a print job; any failure abandons the document and is refused as the printer problem.
void printOrRefuse(PrinterSurface& surface, const std::function<void()>& job);

}  // namespace qm::cli
