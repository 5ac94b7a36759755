#pragma once

// The label stocks the command line prints on: the built-in ones and those of the label
// template files installed (and of the folders in $QUILLMARK_TEMPLATES, separated by ":").

#include "cli/cli_args.h"

namespace qm {
struct LabelStock;
class StockLibrary;
}  // namespace qm

namespace qm::cli {

StockLibrary& stockLibrary();

// The stock --stock names, or the job's own without it. A name the library does not know is
// a usage error that lists the closest names.
const LabelStock& chosenStock(const Args& args, const LabelStock& jobDefault);

}  // namespace qm::cli
