#include "list/list_labels.h"

#include <algorithm>

#include "printing/label_stock.h"
#include "printing/print_rules.h"

namespace qm {

namespace {

const ListLabelLayout& kLayout = kListLabels;
const int kLabelsPerRow = kListLabels.stock.sheet.across;
const int kLabelsPerSheet = kListLabels.stock.sheet.labels();

}  // namespace

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

int listLabelLeftColumn(std::string_view deviceName, int leftAdjustment) {
    const bool shifted = isListedPrinter(deviceName, PrinterList::ListLabels);
    return (shifted ? kLayout.shiftedLeftColumn : kLayout.leftColumn) + leftAdjustment;
}

namespace {

using Label = std::vector<std::string>;

void printTopMargin(PrinterSurface& surface, int topAdjustment) {
    surface.printEmptyLines(std::max(0, kLayout.topLines + topAdjustment));
}

// Physical line k of each label side by side; a label without a k-th line gives a blank,
// left out when nothing follows it on the line.
void printLabelLines(PrinterSurface& surface, const std::vector<Label>& labels, int left,
                     std::size_t lineCount) {
    for (std::size_t k = 0; k < lineCount; ++k) {
        std::size_t used = 0;
        for (std::size_t j = 0; j < labels.size(); ++j) {
            if (k < labels[j].size()) {
                used = j + 1;
            }
        }
        std::vector<PrintItem> items;
        for (std::size_t j = 0; j < used; ++j) {
            const int column = static_cast<int>(j);
            items.push_back(PrintItem::Tab(left + column * kLayout.columnPitch));
            items.push_back(
                labelText(k < labels[j].size() ? labels[j][k] : " ",
                          labelLineColumns(kLayout.stock, column, kLayout.textSize,
                                           kLayout.leftColumn + column * kLayout.columnPitch)));
        }
        surface.print(items);
    }
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
int printFullRow(PrinterSurface& surface, const std::vector<Label>& labels, int left) {
    const std::size_t lines = longestLabel(labels);
    printLabelLines(surface, labels, left, lines);
    const int textPage = surface.pageNumber();
    if (lines < static_cast<std::size_t>(kLayout.rowTextLines)) {
        surface.setFontSize(kLayout.fillSize);
        surface.printLine();
    }
    surface.setFontSize(kLayout.gapSize);
    surface.printEmptyLines(kLayout.gapLines);
    surface.setFontSize(kLayout.textSize);
    return textPage;
}

// Label 1 of the next sheet goes where label 1 of the first sheet went. Depending on its
// printable area the surface may already have begun the next page within the last row's
// gap: that page is still empty, and a second break would feed a blank sheet. Without a
// break, or with one that carried label text over, the next sheet needs a page of its own.
void startNextSheet(PrinterSurface& surface, int sheetPage, int lastTextPage, int topAdjustment) {
    const bool emptyPageBegun = surface.pageNumber() != sheetPage && lastTextPage == sheetPage;
    if (!emptyPageBegun) {
        surface.newPage();
    }
    surface.setCurrentX(0);
    surface.setCurrentY(0);
    printTopMargin(surface, topAdjustment);
}

}  // namespace

void printListLabels(PrinterSurface& surface, const std::vector<int>& records,
                     const RecordByNumber& readContact, int leftAdjustment, int topAdjustment) {
    printTopMargin(surface, topAdjustment);
    surface.setFont("Courier New");
    surface.setFontSize(kLayout.textSize);
    surface.setFontItalic(false);
    const int left = listLabelLeftColumn(surface.deviceName(), leftAdjustment);
    int sheetPage = surface.pageNumber();
    int lastTextPage = sheetPage;
    std::vector<Label> row;
    for (std::size_t i = 0; i < records.size(); ++i) {
        row.push_back(contactLabelLines(readContact(records[i])));
        const bool last = i + 1 == records.size();
        if (row.size() == static_cast<std::size_t>(kLabelsPerRow)) {
            lastTextPage = printFullRow(surface, row, left);
            row.clear();
        } else if (last) {
            printLabelLines(surface, row, left, longestLabel(row));
        }
        if ((i + 1) % kLabelsPerSheet == 0 && !last) {
            startNextSheet(surface, sheetPage, lastTextPage, topAdjustment);
            sheetPage = surface.pageNumber();
        }
    }
}

}  // namespace qm
