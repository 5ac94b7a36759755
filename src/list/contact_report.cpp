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

void setPlainFont(PrinterSurface& surface, const std::string& name) {
    surface.setFont(name);
    surface.setFontSize(10);
    surface.setFontItalic(false);
}

}  // namespace

// The document's end closes the last page, so no page break follows the last line (one
// would feed a blank sheet on some printers).
void printContactReport(PrinterSurface& surface, const std::vector<std::string>& lines,
                        const std::string& fileTitle) {
    surface.setOrientation(kLandscape);
    surface.printLine();
    surface.setFontSize(24);
    surface.print({PrintItem::Tab(18), PrintItem::Text("Quillmark")});
    surface.setFontSize(10);
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
    setPlainFont(surface, "MS Sans Serif");
    printHeadingLine(surface);
    surface.printLine();
    for (const std::string& line : lines) {
        printReportLine(surface, line);
    }
}

void printSelectedHeadingText(PrinterSurface& surface, const std::string& text) {
    setPlainFont(surface, "Courier New");
    surface.printLine();
    surface.print({PrintItem::Text(text)});
}

}  // namespace qm
