#include "printing/print_rules.h"

#include <array>

#include "records/text_rules.h"

namespace qm {

bool isListedPrinter(std::string_view deviceName) {
    static constexpr std::array<std::string_view, 3> kModels = {"HP DeskJet 640C/642C/648C",
                                                                "Officejet Pro", "ENVY"};
    for (std::string_view model : kModels) {
        if (deviceName.find(model) != std::string_view::npos) {
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
                       bool centered) {
    for (const std::string& line : lines) {
        std::vector<PrintItem> items{PrintItem::Tab(left)};
        if (centered) {
            items.push_back(PrintItem::Spc(centeringBlanks(kAddressHalfWidth, line.size())));
        }
        items.push_back(PrintItem::Text(line));
        surface.print(items);
    }
}

}  // namespace qm
