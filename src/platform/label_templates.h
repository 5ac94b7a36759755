#pragma once

// Label sheets from the template files of label programs (the XML files of Debian's
// glabels-data package, or a folder of files in that format): their rectangular sheets of
// one layout join the stock library; round, CD and irregular sheets are left out.

#include <string>
#include <vector>

#include "printing/stock_library.h"

namespace qm {

// Where Debian installs the label program's templates.
inline constexpr const char* kSystemTemplateFolder = "/usr/share/libglabels-3.0/templates";

// Adds the sheets of every template file (*.xml) of the folder, in name order. A file that
// cannot be read or is not well-formed adds nothing and is noted as skipped, one line naming
// it; a missing folder adds nothing.
void readTemplateFolder(StockLibrary& library, const std::string& folder);

// The library's loader: the system's templates, then each folder given.
StockLibrary::Loader templateLoader(std::vector<std::string> folders);

}  // namespace qm
