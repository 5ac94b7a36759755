#include "printing/print_rules.h"

#include <algorithm>
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

PrintItem labelText(const std::string& text, int room) {
    const auto fits = static_cast<std::size_t>(std::max(0, room));
    const std::size_t end = byteOffsetOf(text, fits);
    if (end == text.size()) {
        return PrintItem::Text(text);
    }
    return PrintItem::CutText(text.substr(0, end));
}

void printAddressLines(PrinterSurface& surface, const std::array<std::string, 5>& lines, int left,
                       bool centered, int halfWidth, int room) {
    for (const std::string& line : lines) {
        std::vector<PrintItem> items{PrintItem::Tab(left)};
        int blanks = 0;
        if (centered) {
            blanks = centeringBlanks(halfWidth, characterCount(line));
            items.push_back(PrintItem::Spc(blanks));
        }
        items.push_back(room > 0 ? labelText(line, room - blanks) : PrintItem::Text(line));
        surface.print(items);
    }
}

}  // namespace qm
