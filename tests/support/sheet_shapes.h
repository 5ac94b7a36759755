#pragma once

// The line and column shapes of the two label sheets of the stock table, printed straight on
// a surface, so the cell layout can be checked against the stock's geometry before any job
// uses it.

#include <string>

#include "printing/label_stock.h"
#include "surface/printer_surface.h"

namespace qm::test {

// The 30-up stock: every position returns to the top of the page, skips the lead lines and
// its top lines and prints its lines at its start column. The first line of position p
// reads "P" + p (two digits), the others "L2".."L5".
void print30UpShape(PrinterSurface& surface);

// The 80-up return-address stock: its rows one after the other. The first line of row r,
// column c reads "R" + r (two digits) + "C" + c, the others "Line2", "Line3".
void print80UpShape(PrinterSurface& surface);

}  // namespace qm::test
