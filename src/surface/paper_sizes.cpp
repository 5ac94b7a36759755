#include "surface/paper_sizes.h"

namespace qm {

const PaperSize* paperSize(int code) {
    for (const PaperSize& paper : kPapers) {
        if (paper.code == code) {
            return &paper;
        }
    }
    return nullptr;
}

}  // namespace qm
