#pragma once

// Address labels for the contacts of a list, three across on the 30-up sheet in the list
// labels' own layout of the stock table, placed by character columns and counted lines on a
// print surface.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "records/contact_record.h"
#include "surface/printer_surface.h"

namespace qm {

// Name, company (only when present and flagged), street and city lines.
std::vector<std::string> contactLabelLines(const ContactRecord& record);

// Column of the left label: the layout's left column, or its shifted one on the printers of
// the list labels' model list, plus the left adjustment.
int listLabelLeftColumn(std::string_view deviceName, int leftAdjustment);

// Reads the contact of a list entry by its record number; throws for one it cannot read.
using RecordByNumber = std::function<ContactRecord(int record)>;

// One copy of the labels, without ending the document. Every sheet after the first starts
// on a page of its own, whether or not the surface broke the page by itself. The top
// adjustment moves every sheet down (or up) by that many lines.
void printListLabels(PrinterSurface& surface, const std::vector<int>& records,
                     const RecordByNumber& readContact, int leftAdjustment, int topAdjustment);

}  // namespace qm
