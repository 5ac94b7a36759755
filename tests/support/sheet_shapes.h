#pragma once

// The line and column shapes of the two label sheets, printed straight on a surface, so the
// cell geometry can be checked against real label stock before any layout uses it.

#include <string>

#include "surface/printer_surface.h"

namespace qm::test {

// 30-up stock (3 x 10 labels of 2.625 x 1 inch): every position returns to the top of the
// page, skips 1 + its top lines and prints five lines at its start column, 10 point. The
// first line of position p reads "P" + p (two digits), the others "L2".."L5".
void print30UpShape(PrinterSurface& surface);
int labelStartColumn30(int position);  // 2, 35, 68
int labelTopLines30(int position);     // 3, 10, 16, ...

// 80-up return-address stock (4 x 20 labels of 1.75 x 0.5 inch), Courier New 8: 5 empty
// lines, rows of 3 lines and 1 empty line, one more empty line after rows 6, 10, 14, 19 and
// 20; label columns 3, 34, 65, 96. The first line of row r, column c reads "R" + r + "C" + c.
void print80UpShape(PrinterSurface& surface);
inline constexpr int kReturnLabelColumns[4] = {3, 34, 65, 96};

// Label stock in inches.
struct LabelStock {
    int across;
    int down;
    double width;
    double height;
    double firstLeft;
    double firstTop;
    double pitchX;
    double pitchY;
};
inline constexpr LabelStock k30UpStock{3, 10, 2.625, 1.0, 0.15625, 0.5, 2.78125, 1.0};
inline constexpr LabelStock k80UpStock{4, 20, 1.75, 0.5, 0.28125, 0.5, 2.0625, 0.5};

}  // namespace qm::test
