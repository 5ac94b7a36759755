#pragma once

// Every label stock the program knows: the built-in rows first, then the sheets read from
// label template files, which a loader adds the first time a stock beyond the built-in ones
// is wanted. A stock is never removed, so a reference to one stays good while the library
// lives (the plans that print on it keep one).

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "printing/label_stock.h"

namespace qm {

// A sheet as read from a template file, its texts its own.
struct StockRow {
    std::string vendor;
    std::string part;  // the product number
    std::string description;
    std::vector<std::string> equivalents;  // other product numbers of the same sheet
    std::string paperName;                 // the page's name where it has one ("A4")
    SheetGeometry sheet;                   // the page's size included
    bool metric = false;
};

class StockLibrary {
  public:
    using Loader = std::function<void(StockLibrary&)>;
    // The built-in stocks; the loader adds the others when first wanted.
    explicit StockLibrary(Loader loader = {});
    ~StockLibrary();
    StockLibrary(const StockLibrary&) = delete;
    StockLibrary& operator=(const StockLibrary&) = delete;

    // Adds a sheet read from a file. One the library knows under its name or one of its
    // numbers (the same vendor's) is not added again: its other numbers join that stock's.
    // True when it was added.
    bool add(const StockRow& row);
    // A line that names a file or a template that could not be read, and why.
    void noteSkipped(std::string line) { skipped_.push_back(std::move(line)); }
    const std::vector<std::string>& skipped();

    // The stock of that name (any case), or of a product number, with or without its vendor,
    // that names one stock only; nothing otherwise.
    const LabelStock* find(std::string_view name);
    // The stocks whose name, numbers, vendor, description, size or paper hold every word of
    // the search (any case), in the library's order; every stock for an empty search.
    std::vector<const LabelStock*> search(std::string_view words);
    // The names nearest to one that names no stock, nearest first.
    std::vector<std::string_view> closestNames(std::string_view name, std::size_t count);
    // The stock's other product numbers: its row's and those its template files add.
    std::vector<std::string_view> numbersOf(const LabelStock& stock) const;

  private:
    struct Owned;
    void load();
    const LabelStock* known(const std::string& vendor, const std::vector<std::string>& numbers,
                            const std::string& name) const;

    Loader loader_;
    bool loaded_ = false;
    std::vector<const LabelStock*> stocks_;
    std::deque<Owned> owned_;
    std::map<const LabelStock*, std::vector<std::string>> addedNumbers_;
    std::vector<std::string> skipped_;
};

// The stock's product number: its name without the vendor.
std::string_view productNumber(const LabelStock& stock);
// The name of a paper for the list of stocks: "Letter", "A4", or the page's size.
std::string paperText(const LabelStock& stock);

}  // namespace qm
