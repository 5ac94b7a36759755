#pragma once

// The calibration sheet: a fine ruler grid and crosshairs where the first characters of a
// layout fall, and the step from what the user measured on the printed sheet to the
// layout's adjustment in the parameter file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/parameter_file.h"
#include "surface/print_plan.h"

namespace qm {

struct LabelStock;

enum class CalibrationLayout { Labels, ListLabels, ReturnLabels, Envelope };

struct CalibrationTarget {
    CalibrationLayout layout;
    std::string_view name;    // as the command line names it
    std::string title;        // as the windows name it
    std::string section;      // of the parameter file
    double fontSize;          // the layout's font: its column and line are the adjustment's steps
    const LabelStock* stock;  // what the layout's job prints on; none for the envelope
};

// The layout on the stock its job has always printed on (the 30-up sheet, the return-address
// sheet; none for the envelope).
CalibrationTarget calibrationTarget(CalibrationLayout layout);
// The layout on another stock: its own section and, where laid out from the stock's
// geometry, that layout's print size. The envelope's stock is none.
CalibrationTarget calibrationTarget(CalibrationLayout layout, const LabelStock* stock);
std::optional<CalibrationLayout> calibrationLayoutNamed(std::string_view name);

// Where the first character of each label (or the envelope's address) falls: the top-left
// corner of its cell, in points of the paper model, with the adjustment applied, as the
// layout's job prints on the stock (none: the envelope of that size) on a printer of that
// device name (some models shift the text).
std::vector<PaperRect> calibrationMarks(CalibrationLayout layout, const LabelStock* stock,
                                        Adjustment adjust, int envelopeSize = 1,
                                        const std::string& deviceName = "Text grid");

// The sheet of a layout on the paper and stock of the layout's job (none: the envelope of
// that size, in landscape), moved by the layout's adjustment; one sheet whatever the copies.
PrintPlan calibrationPlan(CalibrationLayout layout, const LabelStock* stock, int envelopeSize = 1);

// A distance as typed: a number and its unit, "in" (or ") or "mm": "0.05 in", "-1.5mm",
// "1/16 in". In points; nothing without a unit or a number.
std::optional<double> parseDistance(std::string_view text);

// The adjustment that moves a print that landed right and down of its marks (points,
// negative: left, up) back onto them, in whole columns and lines of the layout's font,
// within what the file's three characters hold.
Adjustment calibratedAdjustment(const CalibrationTarget& target, Adjustment current, double right,
                                double down);
Adjustment calibratedAdjustment(CalibrationLayout layout, Adjustment current, double right,
                                double down);

// Stores it in the parameter file (adding the target's record when the file has none).
void storeAdjustment(const std::string& path, const CalibrationTarget& target, Adjustment current,
                     Adjustment wanted);
void storeAdjustment(const std::string& path, CalibrationLayout layout, Adjustment current,
                     Adjustment wanted);

}  // namespace qm
