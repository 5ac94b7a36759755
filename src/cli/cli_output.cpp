#include "cli/cli_output.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <exception>
#include <ostream>

#include "cli/cli.h"
#include "platform/qt_printer_surface.h"
#include "printing/run_listing.h"
#include "surface/text_grid_surface.h"

namespace qm::cli {

using Surface = std::unique_ptr<PrinterSurface>;

// One kind of output: its option, the surface it prints on, and what it shows on standard
// output afterwards (nothing for a file or a printer).
struct OutputKind {
    const char* option;
    Surface (*open)(const Args& args, const std::string& deviceName);
    std::string (*shown)(const TextGridSurface& grid);
};

namespace {

Surface pdfFile(const Args& args, const std::string& deviceName) {
    ensureGuiApplication();
    return makePdfSurface(QString::fromStdString(*args.value("o")),
                          deviceName.empty() ? "PDF" : deviceName);
}

Surface printer(const Args& args, const std::string& deviceName) {
    ensureGuiApplication();
    const QString name = QString::fromStdString(*args.value("printer"));
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        throw UsageError("no printer named " + name.toStdString());
    }
    return std::make_unique<QtPrinterSurface>(
        std::make_unique<QPrinter>(info, QPrinter::HighResolution), deviceName);
}

Surface pageImages(const Args& args, const std::string& deviceName) {
    ensureGuiApplication();
    const int dpi = args.intValue("dpi", 24, 1200).value_or(96);
    const std::string dir = *args.value("png");
    if (!QDir().mkpath(QString::fromStdString(dir))) {
        throw UsageError("cannot make the folder " + dir);
    }
    return QtPrinterSurface::forImages(QString::fromStdString(dir), dpi,
                                       deviceName.empty() ? "PDF" : deviceName);
}

Surface textGrid(const Args&, const std::string& deviceName) {
    return std::make_unique<TextGridSurface>(deviceName.empty() ? "Text grid" : deviceName);
}

std::string gridText(const TextGridSurface& grid) {
    return grid.renderText();
}

std::string gridRuns(const TextGridSurface& grid) {
    return listRuns(grid.runs());
}

constexpr OutputKind kOutputs[] = {
    {"o", pdfFile, nullptr},      {"printer", printer, nullptr}, {"png", pageImages, nullptr},
    {"text", textGrid, gridText}, {"runs", textGrid, gridRuns},
};

}  // namespace

OptionSet withOutputOptions(OptionSet options) {
    options.withValue.insert({"o", "printer", "png", "dpi"});
    options.flags.insert({"text", "runs"});
    return options;
}

Output::Output(const Args& args, const std::string& deviceName) {
    int chosen = 0;
    for (const OutputKind& kind : kOutputs) {
        if (args.has(kind.option)) {
            kind_ = &kind;
            ++chosen;
        }
    }
    if (chosen != 1) {
        throw UsageError(
            "choose one output: -o FILE.pdf, --printer NAME, --png DIR, --text or --runs");
    }
    if (args.has("dpi") && !args.has("png")) {
        throw UsageError("--dpi goes with --png");
    }
    surface_ = kind_->open(args, deviceName);
}

Output::~Output() = default;

void Output::print(Context& context, const PrintPlan& plan, int copies) {
    const Adjustment adjust =
        plan.adjustment.empty() ? Adjustment{} : readAdjustmentOrRefuse(context, plan.adjustment);
    // What the job falls short in is told before any page leaves; the job still prints.
    const auto warn = [&context](const PrintShortfall& shortfall) {
        if (!shortfall.cutLabels.empty()) {
            context.err << "quillmark: some lines are too long for their label even in 7 point "
                           "type and have no free line to wrap onto; cut short on "
                        << cutLabelsText(shortfall.cutLabels) << "\n";
        }
        if (!shortfall.missingLetters.empty()) {
            context.err << "quillmark: no installed font has the letters "
                        << missingLettersText(shortfall.missingLetters)
                        << "; they print as empty boxes until the package named is installed\n";
        }
        return true;
    };
    try {
        drawPlan(*surface_, plan, adjust, copies, false, warn);
    } catch (const std::exception&) {
        try {
            surface_->killDoc();
        } catch (const std::exception&) {
            // A printer that cannot even abandon the job gets the same message.
        }
        refuse(plan.problem);
    }
    if (kind_->shown != nullptr) {
        context.out << kind_->shown(static_cast<const TextGridSurface&>(*surface_));
    }
}

Adjustment readAdjustmentOrRefuse(const Context& context, std::string_view section) {
    context.requireAppFolder();
    try {
        return readAdjustment(parameterFilePath(context.appFolder), section);
    } catch (const std::exception&) {
        refuse(printerProblemNotice());
    }
}

}  // namespace qm::cli
