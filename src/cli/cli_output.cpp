#include "cli/cli_output.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <ostream>

#include "cli/cli.h"
#include "platform/qt_printer_surface.h"
#include "printing/print_command.h"
#include "printing/run_listing.h"
#include "shell/app_folder.h"
#include "surface/text_grid_surface.h"

namespace qm::cli {

OptionSet withOutputOptions(OptionSet options) {
    options.withValue.insert({"o", "printer", "png", "dpi"});
    options.flags.insert({"text", "runs"});
    return options;
}

Output::Output(const Args& args, const std::string& deviceName) {
    const int chosen = (args.has("o") ? 1 : 0) + (args.has("printer") ? 1 : 0) +
                       (args.has("text") ? 1 : 0) + (args.has("runs") ? 1 : 0) +
                       (args.has("png") ? 1 : 0);
    if (chosen != 1) {
        throw UsageError(
            "choose one output: -o FILE.pdf, --printer NAME, --png DIR, --text or --runs");
    }
    if (args.has("dpi") && !args.has("png")) {
        throw UsageError("--dpi goes with --png");
    }
    if (args.has("text") || args.has("runs")) {
        kind_ = args.has("text") ? Kind::Text : Kind::Runs;
        auto grid =
            std::make_unique<TextGridSurface>(deviceName.empty() ? "Text grid" : deviceName);
        grid_ = grid.get();
        surface_ = std::move(grid);
        return;
    }
    ensureGuiApplication();
    if (const auto dir = args.value("png")) {
        kind_ = Kind::Images;
        const int dpi = args.intValue("dpi", 24, 1200).value_or(96);
        const QString folder = QString::fromStdString(*dir);
        if (!QDir().mkpath(folder)) {
            throw UsageError("cannot make the folder " + *dir);
        }
        surface_ =
            QtPrinterSurface::forImages(folder, dpi, deviceName.empty() ? "PDF" : deviceName);
        return;
    }
    if (const auto pdf = args.value("o")) {
        kind_ = Kind::Pdf;
        surface_ =
            makePdfSurface(QString::fromStdString(*pdf), deviceName.empty() ? "PDF" : deviceName);
        return;
    }
    kind_ = Kind::Printer;
    const QString name = QString::fromStdString(*args.value("printer"));
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        throw UsageError("no printer named " + name.toStdString());
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    surface_ = std::make_unique<QtPrinterSurface>(std::move(printer), deviceName);
}

Output::~Output() = default;

void Output::finish(Context& context) {
    if (kind_ == Kind::Text) {
        context.out << outText(grid_->renderText());
    } else if (kind_ == Kind::Runs) {
        context.out << outText(listRuns(grid_->runs()));
    }
}

Adjustment readAdjustmentOrRefuse(const Context& context, const char* section) {
    context.requireAppFolder();
    try {
        return readAdjustment(context.appFolder + "/" + kParameterFileName, section);
    } catch (const std::exception&) {
        refuse(printerProblemNotice());
    }
}

void printOrRefuse(PrinterSurface& surface, const std::function<void()>& job) {
    try {
        job();
    } catch (const std::exception&) {
        try {
            surface.killDoc();
        } catch (const std::exception&) {
            // A printer that cannot even abandon the job gets the same message.
        }
        refuse(printerProblemNotice());
    }
}

}  // namespace qm::cli
