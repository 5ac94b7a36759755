#pragma once

// The contact list's two print jobs as the list window and the command line run them:
// every copy a document of its own, then the end of the job.

#include <string>
#include <vector>

#include "list/list_labels.h"
#include "records/parameter_file.h"
#include "surface/printer_surface.h"

namespace qm {

// Labels are refused for an empty list.
inline constexpr const char* kEmptyListTitle = "No contacts found";
inline constexpr const char* kEmptyListText = "Empty list, no labels to print.";

// The papers of the two jobs: labels on letter portrait, the report on letter landscape.
PrintSetup listLabelPaper();
PrintSetup contactReportPaper();

// Courier New 10 upright: what the list window sets before either job.
void setListPrintFont(PrinterSurface& surface);

// Labels for the listed records, portrait, with the search-result adjustment.
void printListLabelCopies(PrinterSurface& surface, const std::vector<int>& records,
                          const RecordByNumber& readContact, Adjustment adjustment, int copies);

// The report of the list lines under the file's title. Every line goes out whatever page
// range was chosen.
void printContactReportCopies(PrinterSurface& surface, const std::vector<std::string>& lines,
                              const std::string& fileTitle, int copies);

}  // namespace qm
