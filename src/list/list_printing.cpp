#include "list/list_printing.h"

#include "list/contact_report.h"
#include "printing/label_stock.h"

namespace qm {

void setListPrintFont(PrinterSurface& surface) {
    surface.setFont("Courier New");
    surface.setFontSize(10);
    surface.setFontItalic(false);
}

PrintSetup listLabelPaper() {
    return {kPaperLetter, kPortrait};
}

PrintSetup contactReportPaper() {
    return {kPaperLetter, kLandscape};
}

void printListLabelCopies(PrinterSurface& surface, const std::vector<int>& records,
                          const RecordByNumber& readContact, Adjustment adjustment, int copies) {
    setListPrintFont(surface);
    surface.setOrientation(listLabelPaper().orientation);
    surface.setPaperSize(listLabelPaper().paper);
    surface.setBackdrop(labelOutlines(kListLabels.stock));
    for (int copy = 0; copy < copies; ++copy) {
        printListLabels(surface, records, readContact, adjustment.left, adjustment.top);
        surface.endDoc();
    }
    surface.endJob();
}

void printContactReportCopies(PrinterSurface& surface, const std::vector<std::string>& lines,
                              const std::string& fileTitle, int copies) {
    setListPrintFont(surface);
    surface.setPaperSize(contactReportPaper().paper);
    surface.setOrientation(contactReportPaper().orientation);
    for (int copy = 0; copy < copies; ++copy) {
        printContactReport(surface, lines, fileTitle);
        surface.endDoc();
    }
    surface.endJob();
}

}  // namespace qm
