#include "support/sheet_shapes.h"

#include <cstdio>

namespace qm::test {

namespace {

std::string twoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

}  // namespace

void print30UpShape(PrinterSurface& surface) {
    const LabelStock& stock = kAddressSheet;
    const CellLayout& cells = stock.cells;
    surface.setFont("Courier New");
    surface.setFontSize(cells.fontSize);
    for (int p = 1; p <= stock.sheet.labels(); ++p) {
        surface.setCurrentX(0);
        surface.setCurrentY(0);
        surface.printEmptyLines(cells.leadLines + cells.topLines[at((p - 1) / stock.sheet.across)]);
        const int column = cells.startColumns[at((p - 1) % stock.sheet.across)];
        surface.print({PrintItem::Tab(column), PrintItem::Text("P" + twoDigits(p))});
        for (int line = 2; line <= cells.linesPerLabel; ++line) {
            surface.print({PrintItem::Tab(column), PrintItem::Text("L" + std::to_string(line))});
        }
    }
    surface.endDoc();
}

void print80UpShape(PrinterSurface& surface) {
    const LabelStock& stock = kReturnAddressSheet;
    const CellLayout& cells = stock.cells;
    surface.setFont("Courier New");
    surface.setFontSize(cells.fontSize);
    surface.setOrientation(kPortrait);
    for (int row = 0; row < stock.sheet.down; ++row) {
        surface.setCurrentX(0);
        surface.setCurrentY(firstLineTop(stock, row) * kTwipsPerPoint);
        for (int line = 1; line <= cells.linesPerLabel; ++line) {
            std::vector<PrintItem> items;
            for (std::size_t c = 0; c < cells.startColumns.size(); ++c) {
                items.push_back(PrintItem::Tab(cells.startColumns[c]));
                items.push_back(PrintItem::Text(line == 1 ? "R" + twoDigits(row + 1) + "C" +
                                                                std::to_string(c + 1)
                                                          : "Line" + std::to_string(line)));
            }
            surface.print(items);
        }
    }
    surface.endDoc();
}

}  // namespace qm::test
