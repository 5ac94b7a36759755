#pragma once

// Address labels for the contacts of a list, three across on the 30-up sheet, placed by
// character columns and counted lines on a print surface.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "records/contact_record.h"
#include "surface/printer_surface.h"

namespace qm {

inline constexpr int kLabelsPerSheet = 30;
inline constexpr int kLabelColumnPitch = 33;
inline constexpr int kSheetTopLines = 4;

// Name, company (only when present and flagged), street and city lines.
std::vector<std::string> contactLabelLines(const ContactRecord& record);

// Column of the left label: 2, or 4 on a few printer families, plus the left adjustment.
int listLabelLeftColumn(std::string_view deviceName, int leftAdjustment);

// Reads the contact of a list entry by its record number; throws for one it cannot read.
using ContactReader = std::function<ContactRecord(int record)>;

// One copy of the labels, without ending the document. Every sheet after the first starts
// on a page of its own, whether or not the surface broke the page by itself. The top
// adjustment moves every sheet down (or up) by that many lines.
void printListLabels(PrinterSurface& surface, const std::vector<int>& records,
                     const ContactReader& readContact, int leftAdjustment, int topAdjustment);

}  // namespace qm
