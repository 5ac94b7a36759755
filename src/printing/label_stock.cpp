#include "printing/label_stock.h"

#include <cmath>

namespace qm {

PaperRect SheetGeometry::label(LabelCell cell) const {
    return {firstLeft + cell.column * pitchX, firstTop + cell.row * pitchY, labelWidth,
            labelHeight};
}

std::optional<LabelCell> SheetGeometry::labelAt(double x, double y) const {
    const double across = (x - firstLeft) / pitchX;
    const double down = (y - firstTop) / pitchY;
    if (across < 0 || down < 0) {
        return std::nullopt;
    }
    const LabelCell cell{static_cast<int>(std::floor(down)), static_cast<int>(std::floor(across))};
    if (cell.column >= this->across || cell.row >= this->down) {
        return std::nullopt;
    }
    const PaperRect rect = label(cell);
    if (x > rect.right() || y > rect.bottom()) {
        return std::nullopt;
    }
    return cell;
}

const EnvelopeSize* envelopeSize(int size) {
    if (size < 1 || size > kEnvelopeSizes) {
        return nullptr;
    }
    return &kEnvelopes[static_cast<std::size_t>(size - 1)];
}

}  // namespace qm
