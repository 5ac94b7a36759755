// The label stocks the program knows: `stocks [SEARCH]` and the --stock option of the label
// commands.
#include <cstdlib>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_stocks.h"
#include "platform/label_templates.h"
#include "printing/label_stock.h"
#include "printing/stock_library.h"

namespace qm::cli {

namespace {

std::vector<std::string> foldersOf(const std::string& value) {
    std::vector<std::string> folders;
    std::istringstream list(value);
    for (std::string folder; std::getline(list, folder, ':');) {
        if (!folder.empty()) {
            folders.push_back(folder);
        }
    }
    return folders;
}

}  // namespace

StockLibrary& stockLibrary() {
    // One library for each value of the variable a run has seen (tests run many commands in
    // one process); a stock stays good while the program runs.
    static std::map<std::string, std::unique_ptr<StockLibrary>> libraries;
    const char* value = std::getenv("QUILLMARK_TEMPLATES");
    std::unique_ptr<StockLibrary>& library = libraries[value != nullptr ? value : ""];
    if (!library) {
        library = std::make_unique<StockLibrary>(
            templateLoader(foldersOf(value != nullptr ? value : "")));
    }
    return *library;
}

const LabelStock& chosenStock(const Args& args, const LabelStock& jobDefault) {
    const auto name = args.value("stock");
    if (!name) {
        return jobDefault;
    }
    if (const LabelStock* stock = stockLibrary().find(*name)) {
        return *stock;
    }
    std::string closest;
    for (const std::string_view near : stockLibrary().closestNames(*name, 5)) {
        closest += (closest.empty() ? "" : ", ") + std::string(near);
    }
    throw UsageError("no stock named " + *name + " (closest: " + closest +
                     "; quillmark stocks lists them)");
}

int runStocks(const Args& args, Context& context) {
    if (args.positionals().size() > 1) {
        throw UsageError("at most one search (quote several words)");
    }
    StockLibrary& library = stockLibrary();
    const std::string search = args.positionals().empty() ? "" : args.positionals()[0];
    for (const std::string& line : library.skipped()) {
        context.err << "quillmark: " << line << "\n";
    }
    const std::vector<const LabelStock*> found = library.search(search);
    if (found.empty()) {
        throw Refusal("No stock found", "No label stock matches " + search);
    }
    for (const LabelStock* stock : found) {
        std::string numbers;
        for (const std::string_view number : library.numbersOf(*stock)) {
            numbers += (numbers.empty() ? "" : " ") + std::string(number);
        }
        // Names and descriptions are the template files' own UTF-8.
        context.out << stock->name << "\t" << stock->sheet.labels() << "-up\t"
                    << labelSizeText(*stock) << "\t" << paperText(*stock) << "\t"
                    << stock->description << "\t" << numbers << "\n";
    }
    return kOk;
}

}  // namespace qm::cli
