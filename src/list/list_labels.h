#pragma once

// Address labels for the contacts of a list, three across on a label stock in the list
// labels' own layout, placed by character columns and counted lines on a print surface.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "records/contact_record.h"
#include "records/parameter_file.h"
#include "surface/print_plan.h"

namespace qm {

struct LabelStock;

// Labels are refused for an empty list.
inline constexpr const char* kEmptyListTitle = "No contacts found";
inline constexpr const char* kEmptyListText = "Empty list, no labels to print.";

// Name, company (only when present and flagged), street and city lines.
std::vector<std::string> contactLabelLines(const ContactRecord& record);

// The contact of the list's entry at an index (from 0, in list order); throws for one it
// cannot read.
using ListedContact = std::function<ContactRecord(std::size_t index)>;

// One copy of the labels of count entries, without ending the document. Every sheet after
// the first starts on a page of its own, whether or not the surface broke the page by
// itself. The top adjustment moves every sheet down (or up) by that many lines.
void printListLabels(PrinterSurface& surface, const LabelStock& stock, std::size_t count,
                     const ListedContact& contactAt, Adjustment adjust);

// Labels for the count entries of a list, portrait on the stock's paper, moved by the
// search-result adjustment.
PrintPlan listLabelsPlan(const LabelStock& stock, std::size_t count, ListedContact contactAt);

}  // namespace qm
