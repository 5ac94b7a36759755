#include "printing/run_listing.h"

#include <cstdio>

namespace qm {

namespace {

std::string number(double value, const char* format) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

std::string listRuns(const std::vector<PrintedRun>& runs) {
    std::string out;
    for (const PrintedRun& r : runs) {
        out += std::to_string(r.page) + '\t' + std::to_string(r.line) + '\t' +
               number(r.yPoints, "%.2f") + '\t' + std::to_string(r.column) + '\t' + r.font + '\t' +
               number(r.size, "%g") + '\t' + (r.bold ? "1" : "0") + '\t' + (r.italic ? "1" : "0") +
               '\t' + r.text + '\n';
    }
    return out;
}

}  // namespace qm
