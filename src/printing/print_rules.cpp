#include "printing/print_rules.h"

#include <array>

#include "records/text_rules.h"

namespace qm {

bool isListedPrinter(std::string_view deviceName, PrinterList list) {
    for (const ListedPrinterModel& m : kListedPrinterModels) {
        const bool onList = list == PrinterList::TypedLines ? m.typedLines : m.listLabels;
        if (onList && deviceName.find(m.model) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

int centeringBlanks(int half, std::size_t length) {
    const int blanks = cint(half - static_cast<double>(length) / 2.0);
    return blanks < 1 ? 0 : blanks;
}

void printAddressLines(PrinterSurface& surface, const std::array<std::string, 5>& lines, int left,
                       bool centered, int halfWidth) {
    for (const std::string& line : lines) {
        std::vector<PrintItem> items{PrintItem::Tab(left)};
        if (centered) {
            items.push_back(PrintItem::Spc(centeringBlanks(halfWidth, line.size())));
        }
        items.push_back(PrintItem::Text(line));
        surface.print(items);
    }
}

}  // namespace qm
