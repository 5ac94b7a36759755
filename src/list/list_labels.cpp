#include "list/list_labels.h"

#include <algorithm>

#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "printing/stock_layout.h"
#include "records/text_rules.h"

namespace qm {

std::vector<std::string> contactLabelLines(const ContactRecord& r) {
    const std::string middle = r.middleInitial.empty() ? " " : " " + r.middleInitial + " ";
    std::vector<std::string> lines{r.firstName + middle + r.lastName};
    if (!r.company.empty() && r.includeCompany == "1") {
        lines.push_back(r.company);
    }
    lines.push_back(r.street + " " + r.street2);
    lines.push_back(r.city + ", " + r.state + "  " + r.zip);
    return lines;
}

namespace {

// A label's lines as set in its room.
using Label = std::vector<SetLine>;

// The stock and its layout, as the rows are printed.
struct Sheet {
    const LabelStock& stock;
    const ListLabelLayout& layout;
};

void printTopMargin(PrinterSurface& surface, const Sheet& sheet, int topAdjustment) {
    surface.printEmptyLines(std::max(0, sheet.layout.topLines + topAdjustment));
}

// Physical line k of each label side by side; a label without a k-th line gives a blank,
// left out when nothing follows it on the line.
void printLabelLines(PrinterSurface& surface, const Sheet& sheet, const std::vector<Label>& labels,
                     int left, std::size_t lineCount) {
    const ListLabelLayout& layout = sheet.layout;
    for (std::size_t k = 0; k < lineCount; ++k) {
        std::size_t used = 0;
        for (std::size_t j = 0; j < labels.size(); ++j) {
            if (k < labels[j].size()) {
                used = j + 1;
            }
        }
        std::vector<PrintItem> items;
        for (std::size_t j = 0; j < used; ++j) {
            static const SetLine kBlank{0, " ", 0.0, false};
            appendSetLine(items, left + static_cast<int>(j) * layout.columnPitch,
                          k < labels[j].size() ? labels[j][k] : kBlank, false);
        }
        surface.print(items);
    }
}

// The room of the label in slot (0, 1, 2) of a row, from its column as the layout places it.
LineRoom slotRoom(const Sheet& sheet, std::size_t slot) {
    const ListLabelLayout& layout = sheet.layout;
    const int column = static_cast<int>(slot);
    return {labelLinePoints(sheet.stock, column, layout.textSize,
                            layout.leftColumn + column * layout.columnPitch),
            layout.textSize};
}

std::size_t longestLabel(const std::vector<Label>& labels) {
    std::size_t longest = 0;
    for (const Label& label : labels) {
        longest = std::max(longest, label.size());
    }
    return longest;
}

// Every full row takes four 10-point lines (or three and an 11-point one) and a gap of
// three 9-point lines, so ten rows fill a sheet. Returns the page the label text ended on.
int printFullRow(PrinterSurface& surface, const Sheet& sheet, const std::vector<Label>& labels,
                 int left) {
    const ListLabelLayout& layout = sheet.layout;
    const std::size_t lines = longestLabel(labels);
    printLabelLines(surface, sheet, labels, left, lines);
    const int textPage = surface.pageNumber();
    if (lines < static_cast<std::size_t>(layout.rowTextLines)) {
        surface.setFontSize(layout.fillSize);
        surface.printLine();
    }
    const auto rowLines = static_cast<std::size_t>(layout.rowTextLines);
    if (lines > rowLines) {
        // A label wrapped beyond the row's lines: the gap is one line of the height left, so
        // the next row starts where it would have.
        surface.setFontSize(layout.gapLines * layout.gapSize -
                            static_cast<double>(lines - rowLines) * layout.textSize);
        surface.printLine();
    } else {
        surface.setFontSize(layout.gapSize);
        surface.printEmptyLines(layout.gapLines);
    }
    surface.setFontSize(layout.textSize);
    return textPage;
}

// Label 1 of the next sheet goes where label 1 of the first sheet went. Depending on its
// printable area the surface may already have begun the next page within the last row's
// gap: that page is still empty, and a second break would feed a blank sheet. Without a
// break, or with one that carried label text over, the next sheet needs a page of its own.
void startNextSheet(PrinterSurface& surface, const Sheet& sheet, int sheetPage, int lastTextPage,
                    int topAdjustment) {
    const bool emptyPageBegun = surface.pageNumber() != sheetPage && lastTextPage == sheetPage;
    if (!emptyPageBegun) {
        surface.newPage();
    }
    surface.setCurrentX(0);
    surface.setCurrentY(0);
    printTopMargin(surface, sheet, topAdjustment);
}

// A stock laid out from its geometry: the contacts label after label, a sheet a page.
void printPlacedListLabels(PrinterSurface& surface, const LabelStock& stock, std::size_t count,
                           const ListedContact& contactAt, const StockTextLayout& layout,
                           Adjustment adjust) {
    const auto perSheet = static_cast<std::size_t>(stock.sheet.labels());
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && i % perSheet == 0) {
            surface.newPage();
        }
        const LabelCell cell = cellOfPosition(stock.sheet, static_cast<int>(i % perSheet) + 1);
        const std::vector<std::string> lines = contactLabelLines(contactAt(i));
        printPlacedLabel(surface, placeLabelLines(stock, cell, layout, lines, false, adjust),
                         {static_cast<int>(i + 1), trim(lines.front())});
    }
}

}  // namespace

void printListLabels(PrinterSurface& surface, const LabelStock& stock, std::size_t count,
                     const ListedContact& contactAt, Adjustment adjust) {
    const Sheet sheet{stock, listLabelLayout(stock)};
    const auto perRow = static_cast<std::size_t>(stock.sheet.across);
    const auto perSheet = static_cast<std::size_t>(stock.sheet.labels());
    printTopMargin(surface, sheet, adjust.top);
    const int left = listLabelLeftColumn(sheet.layout, surface.deviceName(), adjust.left);
    int sheetPage = surface.pageNumber();
    int lastTextPage = sheetPage;
    std::vector<Label> row;
    for (std::size_t i = 0; i < count; ++i) {
        const std::vector<std::string> lines = contactLabelLines(contactAt(i));
        row.push_back(setLabelLines(lines, slotRoom(sheet, row.size()),
                                    static_cast<std::size_t>(sheet.layout.mostTextLines)));
        if (anyCut(row.back())) {
            surface.noteCutLabel({static_cast<int>(i + 1), trim(lines.front())});
        }
        const bool last = i + 1 == count;
        if (row.size() == perRow) {
            lastTextPage = printFullRow(surface, sheet, row, left);
            row.clear();
        } else if (last) {
            printLabelLines(surface, sheet, row, left, longestLabel(row));
        }
        if ((i + 1) % perSheet == 0 && !last) {
            startNextSheet(surface, sheet, sheetPage, lastTextPage, adjust.top);
            sheetPage = surface.pageNumber();
        }
    }
}

PrintPlan listLabelsPlan(const LabelStock& stock, std::size_t count, ListedContact contactAt) {
    PrintPlan plan = stockPlan(stock, kPortrait, adjustmentSection(stock, StockJob::ListLabels));
    if (!hasCellLayoutFor(stock, StockJob::ListLabels)) {
        const StockTextLayout placed =
            stockTextLayout(stock.sheet, stockJobLines(StockJob::ListLabels));
        plan.fonts = {PrintFont{.size = placed.fontSize}};
        plan.draw = [&stock, count, contactAt = std::move(contactAt), placed](
                        PrinterSurface& surface, Adjustment adjust) {
            printPlacedListLabels(surface, stock, count, contactAt, placed, adjust);
        };
        return plan;
    }
    const ListLabelLayout& layout = listLabelLayout(stock);
    plan.fonts = {PrintFont{.size = layout.textSize}, PrintFont{.size = layout.fillSize},
                  PrintFont{.size = layout.gapSize}};
    plan.draw = [&stock, count, contactAt = std::move(contactAt)](PrinterSurface& surface,
                                                                  Adjustment adjust) {
        printListLabels(surface, stock, count, contactAt, adjust);
    };
    return plan;
}

}  // namespace qm
