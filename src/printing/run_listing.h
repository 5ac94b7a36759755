#pragma once

// The text-grid record as lines of tab-separated fields: page, line, vertical position in
// points (two decimals), column, font, size, bold 0/1, italic 0/1, text.

#include <string>
#include <vector>

#include "surface/text_grid_surface.h"

namespace qm {

std::string listRuns(const std::vector<PrintedRun>& runs);

}  // namespace qm
