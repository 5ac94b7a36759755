#pragma once

// Where a printing subcommand's pages go: a PDF file (-o), a CUPS printer (--printer), the
// text-grid pages as plain text (--text) or the text-grid record of runs (--runs).

#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "printing/printer_surface.h"

namespace qm {
class TextGridSurface;
}

namespace qm::cli {

// The options every printing subcommand takes.
OptionSpec withOutputOptions(OptionSpec spec);

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
    enum class Kind { Pdf, Printer, Text, Runs } kind_;
    std::unique_ptr<PrinterSurface> surface_;
    TextGridSurface* grid_ = nullptr;
};

}  // namespace qm::cli
