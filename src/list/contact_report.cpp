#include "list/contact_report.h"

#include "list/contact_list.h"
#include "records/text_rules.h"

namespace qm {

const std::vector<ReportColumn>& reportColumns() {
    static const std::vector<ReportColumn> kColumns = {
        {"Name", 2},  {"City", 30},          {"ST", 48}, {"Zip", 52}, {"Home", 64},
        {"Cell", 78}, {"Email Address", 92},
    };
    return kColumns;
}

int reportPageCount(std::size_t lineCount) {
    return cint(static_cast<double>(lineCount) / 54.0 + 1.0);
}

namespace {

void printHeadingLine(PrinterSurface& surface) {
    std::vector<PrintItem> items;
    for (const ReportColumn& c : reportColumns()) {
        items.push_back(PrintItem::Tab(c.column));
        items.push_back(PrintItem::Text(c.heading));
    }
    surface.print(items);
}

// Each tab-separated column, trimmed, at its report column; any column past the seventh
// follows directly.
void printReportLine(PrinterSurface& surface, const std::string& line) {
    const auto& columns = reportColumns();
    std::vector<PrintItem> items;
    std::size_t from = 0;
    for (std::size_t c = 0; from <= line.size(); ++c) {
        std::size_t tab = line.find(kColumnSeparator, from);
        if (tab == std::string::npos) {
            tab = line.size();
        }
        if (c < columns.size()) {
            items.push_back(PrintItem::Tab(columns[c].column));
        }
        const std::string text = trim(std::string_view(line).substr(from, tab - from));
        if (!text.empty()) {
            items.push_back(PrintItem::Text(text));
        }
        from = tab + 1;
    }
    surface.print(items);
}

// The list's own font, in which the selected lines are printed.
constexpr const char* kListFont = "MS Sans Serif";
constexpr double kReportSize = 10;
constexpr double kTitleSize = 24;

void setPlainFont(PrinterSurface& surface, const std::string& name) {
    surface.setFont(name);
    surface.setFontSize(kReportSize);
    surface.setFontItalic(false);
}

constexpr PrintSetup kReportPaper{kPaperLetter, kLandscape};

std::shared_ptr<const PrintPlan> selectionPlan(ReportSelection chosen) {
    auto plan = std::make_shared<PrintPlan>();
    plan->paper = kReportPaper;
    plan->fonts = {PrintFont{.size = kReportSize}};
    if (!chosen.headingFocused) {
        plan->fonts.push_back(PrintFont{.name = kListFont, .size = kReportSize});
    }
    plan->copies = CopyMode::Once;
    plan->draw = [chosen = std::move(chosen)](PrinterSurface& surface, Adjustment) {
        if (chosen.headingFocused) {
            printSelectedHeadingText(surface, chosen.headingText);
        } else {
            printSelectedLines(surface, chosen.lines);
        }
    };
    return plan;
}

}  // namespace

// The document's end closes the last page, so no page break follows the last line (one
// would feed a blank sheet on some printers).
void printContactReport(PrinterSurface& surface, const std::vector<std::string>& lines,
                        const std::string& fileTitle) {
    surface.setOrientation(kLandscape);
    surface.printLine();
    surface.setFontSize(kTitleSize);
    surface.print({PrintItem::Tab(18), PrintItem::Text("Quillmark")});
    surface.setFontSize(kReportSize);
    surface.printLine();
    surface.print({PrintItem::Tab(48), PrintItem::Text("File: " + fileTitle)});
    surface.printLine();
    printHeadingLine(surface);
    for (const std::string& line : lines) {
        printReportLine(surface, line);
    }
    surface.printLine();
}

// The lines' tabs are given the report columns, since a surface has no tab stops.
void printSelectedLines(PrinterSurface& surface, const std::vector<std::string>& lines) {
    setPlainFont(surface, kListFont);
    printHeadingLine(surface);
    surface.printLine();
    for (const std::string& line : lines) {
        printReportLine(surface, line);
    }
}

void printSelectedHeadingText(PrinterSurface& surface, const std::string& text) {
    setPlainFont(surface, kPrintFont);
    surface.printLine();
    surface.print({PrintItem::Text(text)});
}

PrintPlan contactReportPlan(std::vector<std::string> lines, std::string fileTitle,
                            std::optional<ReportSelection> selection) {
    PrintPlan plan;
    plan.paper = kReportPaper;
    plan.fonts = {PrintFont{.size = kReportSize}, PrintFont{.size = kTitleSize}};
    plan.pageCount = reportPageCount(lines.size());
    plan.draw = [lines = std::move(lines), title = std::move(fileTitle)](PrinterSurface& surface,
                                                                         Adjustment) {
        printContactReport(surface, lines, title);
    };
    if (selection) {
        plan.selection = selectionPlan(std::move(*selection));
    }
    return plan;
}

}  // namespace qm
