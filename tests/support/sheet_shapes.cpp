#include "support/sheet_shapes.h"

#include <array>
#include <cstdio>

namespace qm::test {

namespace {

std::string twoDigits(int n) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

}  // namespace

int labelStartColumn30(int position) {
    static constexpr std::array<int, 3> kColumns = {2, 35, 68};
    return kColumns[static_cast<std::size_t>((position - 1) % 3)];
}

int labelTopLines30(int position) {
    static constexpr std::array<int, 10> kTops = {3, 10, 16, 23, 30, 36, 43, 50, 56, 63};
    return kTops[static_cast<std::size_t>((position - 1) / 3)];
}

void print30UpShape(PrinterSurface& surface) {
    surface.setFont("Courier New");
    surface.setFontSize(10);
    for (int p = 1; p <= 30; ++p) {
        surface.setCurrentX(0);
        surface.setCurrentY(0);
        surface.printEmptyLines(1 + labelTopLines30(p));
        const int column = labelStartColumn30(p);
        surface.print({PrintItem::Tab(column), PrintItem::Text("P" + twoDigits(p))});
        for (int line = 2; line <= 5; ++line) {
            surface.print({PrintItem::Tab(column), PrintItem::Text("L" + std::to_string(line))});
        }
    }
    surface.endDoc();
}

void print80UpShape(PrinterSurface& surface) {
    surface.setFont("Courier New");
    surface.setFontSize(8);
    surface.setOrientation(kPortrait);
    surface.printEmptyLines(5);
    for (int row = 1; row <= 20; ++row) {
        for (int line = 1; line <= 3; ++line) {
            std::vector<PrintItem> items;
            for (int c = 0; c < 4; ++c) {
                items.push_back(PrintItem::Tab(kReturnLabelColumns[c]));
                items.push_back(
                    PrintItem::Text(line == 1 ? "R" + twoDigits(row) + "C" + std::to_string(c + 1)
                                              : "Line" + std::to_string(line)));
            }
            surface.print(items);
        }
        if (row == 6 || row == 10 || row == 14 || row == 19 || row == 20) {
            surface.printLine();
        }
        surface.printLine();
    }
    surface.endDoc();
}

}  // namespace qm::test
