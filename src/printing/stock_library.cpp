#include "printing/stock_library.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace qm {

// A stock read from a file: the row's texts, and the stock whose views point into them.
struct StockLibrary::Owned {
    std::string name;
    StockRow row;
    std::vector<std::string_view> equivalents;
    LabelStock stock;
};

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        if (end > start) {
            words.push_back(lower(text.substr(start, end - start)));
        }
        start = end + 1;
    }
    return words;
}

// Edits (insert, delete, replace) from one text to the other.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string_view productNumber(const LabelStock& stock) {
    const std::string_view name = stock.name;
    if (name.size() > stock.vendor.size() && name.substr(0, stock.vendor.size()) == stock.vendor) {
        return name.substr(stock.vendor.size() + 1);
    }
    return name;
}

std::string paperText(const LabelStock& stock) {
    if (const PaperSize* paper = paperSize(stock.paper);
        paper != nullptr && paper->code < kFirstStockPaper) {
        return std::string(paper->name);
    }
    LabelStock page = stock;
    page.sheet.labelWidth = stock.sheet.pageWidth;
    page.sheet.labelHeight = stock.sheet.pageHeight;
    return labelSizeText(page);
}

StockLibrary::StockLibrary(Loader loader) : loader_(std::move(loader)) {
    for (const LabelStock& stock : kLabelStocks) {
        stocks_.push_back(&stock);
    }
}

StockLibrary::~StockLibrary() = default;

void StockLibrary::load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    if (loader_) {
        loader_(*this);
    }
}

const std::vector<std::string>& StockLibrary::skipped() {
    load();
    return skipped_;
}

std::vector<std::string_view> StockLibrary::numbersOf(const LabelStock& stock) const {
    std::vector<std::string_view> numbers(stock.equivalents.begin(), stock.equivalents.end());
    if (const auto added = addedNumbers_.find(&stock); added != addedNumbers_.end()) {
        numbers.insert(numbers.end(), added->second.begin(), added->second.end());
    }
    return numbers;
}

const LabelStock* StockLibrary::known(const std::string& vendor,
                                      const std::vector<std::string>& numbers,
                                      const std::string& name) const {
    for (const LabelStock* stock : stocks_) {
        if (lower(stock->name) == name) {
            return stock;
        }
        if (lower(stock->vendor) != vendor) {
            continue;
        }
        std::vector<std::string_view> its = numbersOf(*stock);
        its.push_back(productNumber(*stock));
        for (const std::string_view number : its) {
            if (std::find(numbers.begin(), numbers.end(), lower(number)) != numbers.end()) {
                return stock;
            }
        }
    }
    return nullptr;
}

bool StockLibrary::add(const StockRow& row) {
    std::vector<std::string> numbers{lower(row.part)};
    for (const std::string& number : row.equivalents) {
        numbers.push_back(lower(number));
    }
    const std::string name = row.vendor + " " + row.part;
    if (const LabelStock* same = known(lower(row.vendor), numbers, lower(name))) {
        std::vector<std::string> theirs{row.part};
        theirs.insert(theirs.end(), row.equivalents.begin(), row.equivalents.end());
        std::vector<std::string>& added = addedNumbers_[same];
        for (const std::string& number : theirs) {
            const auto its = numbersOf(*same);
            if (lower(number) != lower(productNumber(*same)) &&
                std::none_of(its.begin(), its.end(),
                             [&](std::string_view n) { return lower(n) == lower(number); })) {
                added.push_back(number);
            }
        }
        return false;
    }
    Owned& owned = owned_.emplace_back();
    owned.name = name;
    owned.row = row;
    for (const std::string& number : owned.row.equivalents) {
        owned.equivalents.push_back(number);
    }
    const SheetGeometry& sheet = owned.row.sheet;
    owned.stock = LabelStock{
        .name = owned.name,
        .paper = paperOfSize(sheet.pageWidth, sheet.pageHeight,
                             owned.row.paperName.empty() ? owned.name : owned.row.paperName),
        .sheet = sheet,
        .cells = {},
        .vendor = owned.row.vendor,
        .description = owned.row.description,
        .equivalents = owned.equivalents,
        .metric = owned.row.metric};
    stocks_.push_back(&owned.stock);
    return true;
}

const LabelStock* StockLibrary::find(std::string_view name) {
    const std::string wanted = lower(name);
    const auto named = [&]() -> const LabelStock* {
        for (const LabelStock* stock : stocks_) {
            if (lower(stock->name) == wanted) {
                return stock;
            }
        }
        return nullptr;
    };
    if (const LabelStock* stock = named()) {
        return stock;
    }
    load();
    if (const LabelStock* stock = named()) {
        return stock;
    }
    const LabelStock* found = nullptr;
    for (const LabelStock* stock : stocks_) {
        std::vector<std::string_view> numbers = numbersOf(*stock);
        numbers.push_back(productNumber(*stock));
        const bool matches = std::any_of(numbers.begin(), numbers.end(), [&](std::string_view n) {
            return lower(n) == wanted || lower(stock->vendor) + " " + lower(n) == wanted;
        });
        if (matches) {
            if (found != nullptr) {
                return nullptr;  // a number two stocks share names neither
            }
            found = stock;
        }
    }
    return found;
}

std::vector<const LabelStock*> StockLibrary::search(std::string_view words) {
    load();
    const std::vector<std::string> wanted = wordsOf(words);
    std::vector<const LabelStock*> found;
    for (const LabelStock* stock : stocks_) {
        std::string text = std::string(stock->name) + " " + std::string(stock->description) + " " +
                           labelSizeText(*stock) + " " + paperText(*stock) + " " +
                           std::to_string(stock->sheet.labels()) + "-up";
        for (const std::string_view number : numbersOf(*stock)) {
            text += " " + std::string(number);
        }
        text = lower(text);
        if (std::all_of(wanted.begin(), wanted.end(), [&](const std::string& word) {
                return text.find(word) != std::string::npos;
            })) {
            found.push_back(stock);
        }
    }
    return found;
}

std::vector<std::string_view> StockLibrary::closestNames(std::string_view name, std::size_t count) {
    load();
    const std::string wanted = lower(name);
    std::vector<std::pair<std::size_t, std::string_view>> ranked;
    for (const LabelStock* stock : stocks_) {
        const std::size_t distance = std::min(editDistance(wanted, lower(stock->name)),
                                              editDistance(wanted, lower(productNumber(*stock))));
        ranked.emplace_back(distance, stock->name);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < ranked.size() && i < count; ++i) {
        names.push_back(ranked[i].second);
    }
    return names;
}

}  // namespace qm
