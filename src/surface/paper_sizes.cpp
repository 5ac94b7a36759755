#include "surface/paper_sizes.h"

#include <cmath>
#include <deque>
#include <mutex>
#include <string>

namespace qm {

namespace {

// Papers of label stocks read at run time: kept until the program ends, so a pointer to one
// stays good, and looked up by any thread that prints.
struct StockPapers {
    std::mutex mutex;
    std::deque<std::string> names;
    std::deque<PaperSize> papers;
};

StockPapers& stockPapers() {
    static StockPapers added;
    return added;
}

bool sameSize(const PaperSize& paper, double width, double height) {
    constexpr double kSlack = 0.5;
    return std::fabs(paper.width - width) <= kSlack && std::fabs(paper.height - height) <= kSlack;
}

}  // namespace

const PaperSize* paperSize(int code) {
    for (const PaperSize& paper : kPapers) {
        if (paper.code == code) {
            return &paper;
        }
    }
    if (code < kFirstStockPaper) {
        return nullptr;
    }
    StockPapers& added = stockPapers();
    const std::lock_guard lock(added.mutex);
    const auto index = static_cast<std::size_t>(code - kFirstStockPaper);
    return index < added.papers.size() ? &added.papers[index] : nullptr;
}

int paperOfSize(double width, double height, std::string_view name) {
    for (const PaperSize& paper : kPapers) {
        if (sameSize(paper, width, height)) {
            return paper.code;
        }
    }
    StockPapers& added = stockPapers();
    const std::lock_guard lock(added.mutex);
    for (const PaperSize& paper : added.papers) {
        if (sameSize(paper, width, height)) {
            return paper.code;
        }
    }
    const std::string& kept = added.names.emplace_back(name);
    const int code = kFirstStockPaper + static_cast<int>(added.papers.size());
    added.papers.push_back(PaperSize{code, width, height, kept});
    return code;
}

}  // namespace qm
