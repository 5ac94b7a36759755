// Labels for every contact of a file, as `quillmark list FILE --labels` prints them: into a
// PDF file, as --text and as --runs, at 10,000 and 100,000 contacts (and 1,000,000 with
// QUILLMARK_BENCH_MILLION=1 in the environment); one PDF copy of a 34-page job against
// twenty; and sheets of typed lines that fit against lines that all need fitting. The whole
// command runs in process, reading of the contact file included.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "records/contact_file.h"

namespace {

std::filesystem::path benchFolder() {
    const auto dir = std::filesystem::temp_directory_path() / "quillmark-print-bench";
    std::filesystem::create_directories(dir / "home");
    return dir;
}

qm::ContactRecord contact(int i) {
    qm::ContactRecord r;
    r.firstName = "First" + std::to_string(i % 9973);
    r.middleInitial = i % 3 == 0 ? "Q" : "";
    r.lastName = "Last" + std::to_string((i * 7919) % 100003);
    r.street = std::to_string(i % 9000 + 10) + " Main Street";
    r.street2 = i % 5 == 0 ? "Apt " + std::to_string(i % 90) : "";
    r.city = "Springfield";
    r.state = "IL";
    r.zip = "62701";
    // Every fourth label has a company line, so rows of three and of four lines both occur.
    r.company = i % 4 == 0 ? "Company " + std::to_string(i % 500) : "";
    r.includeCompany = i % 4 == 0 ? "1" : "0";
    return r;
}

// A contact file of n generated contacts, made once and kept between runs.
std::string contactFile(int n) {
    const auto path = benchFolder() / ("labels-" + std::to_string(n) + ".DAT");
    if (std::filesystem::exists(path) &&
        std::filesystem::file_size(path) == static_cast<std::uintmax_t>(n) * qm::kRecordSize) {
        return path.string();
    }
    std::filesystem::remove(path);
    qm::ContactFile file;
    file.open(path.string());
    constexpr int kChunk = 10000;
    for (int first = 1; first <= n; first += kChunk) {
        std::vector<qm::ContactRecord> chunk;
        for (int i = first; i < first + kChunk && i <= n; ++i) {
            chunk.push_back(contact(i));
        }
        file.appendAll(chunk);
    }
    return path.string();
}

// Standard output of the command, counted and dropped.
class CountingBuffer : public std::streambuf {
  public:
    std::size_t count = 0;

  protected:
    int_type overflow(int_type c) override {
        ++count;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<std::size_t>(n);
        return n;
    }
};

void runList(benchmark::State& state, const std::vector<std::string>& output) {
    const std::string file = contactFile(static_cast<int>(state.range(0)));
    std::vector<std::string> args = {"--home", (benchFolder() / "home").string(), "list", file,
                                     "--labels"};
    args.insert(args.end(), output.begin(), output.end());
    std::size_t bytes = 0;
    for (auto _ : state) {
        CountingBuffer buffer;
        std::ostream out(&buffer);
        std::ostringstream err;
        if (qm::cli::runCli(args, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
        bytes = buffer.count;
    }
    state.counters["labels"] = static_cast<double>(state.range(0));
    if (bytes > 0) {
        state.counters["bytes"] = static_cast<double>(bytes);
    }
}

std::string pdfPath() {
    return (benchFolder() / "labels.pdf").string();
}

void BM_LabelsToPdf(benchmark::State& state) {
    runList(state, {"-o", pdfPath()});
    state.counters["pdf MB"] = static_cast<double>(std::filesystem::file_size(pdfPath())) / 1e6;
}

void BM_LabelsAsText(benchmark::State& state) {
    runList(state, {"--text"});
}

void BM_LabelsAsRuns(benchmark::State& state) {
    runList(state, {"--runs"});
}

// 1,020 contacts make 34 pages a copy.
void BM_PdfCopies(benchmark::State& state) {
    const std::string file = contactFile(1020);
    const std::vector<std::string> args = {
        "--home",   (benchFolder() / "home").string(), "list", file,     "--labels",
        "--copies", std::to_string(state.range(0)),    "-o",   pdfPath()};
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (qm::cli::runCli(args, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
}

// Sheets of 30 labels of the typed lines, 100 copies into one PDF file: five lines that fill
// their labels (29 characters, as many as 10 point holds), or five lines a little longer that
// each need fitting (set in a smaller size, 8.5 to 9.5 point).
void BM_LabelSheetsToPdf(benchmark::State& state) {
    const bool fitted = state.range(0) == 1;
    const std::vector<std::string> lines =
        fitted ? std::vector<std::string>{"Alexandra-Katharina Montgomery-W",
                                          "Montgomery-Whitfield Holdings Intl",
                                          "12345 Martin Luther King Jr Blvd",
                                          "Rancho Santa Margarita, CA 92688",
                                          "United States of America, Earth"}
               : std::vector<std::string>{
                     "Alexandra K Montgomery-Whitfd", "Montgomery-Whitfield Holdings",
                     "12345 Martin Luther King Blvd", "Rancho Santa Margarita, CA 92",
                     "United States of America, Ea"};
    std::vector<std::string> args = {"--home", (benchFolder() / "home").string(), "labels"};
    for (const std::string& line : lines) {
        args.insert(args.end(), {"--line", line});
    }
    args.insert(args.end(), {"--positions", "1-30", "--copies", "100", "-o", pdfPath()});
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (qm::cli::runCli(args, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    state.SetLabel(fitted ? "every line fitted" : "lines that fill their labels");
    state.counters["labels"] = 3000;
}

void registerAll() {
    std::vector<long> sizes = {10000, 100000};
    if (std::getenv("QUILLMARK_BENCH_MILLION") != nullptr) {
        sizes.push_back(1000000);
    }
    const auto each = [&](const char* name, void (*fn)(benchmark::State&)) {
        auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
        for (long n : sizes) {
            b->Arg(n);
        }
        b->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
        return b;
    };
    // 30,000 labels: the size the PDF's speed is judged at.
    each("BM_LabelsToPdf", BM_LabelsToPdf)->Arg(30000);
    each("BM_LabelsAsText", BM_LabelsAsText);
    each("BM_LabelsAsRuns", BM_LabelsAsRuns);
    benchmark::RegisterBenchmark("BM_LabelSheetsToPdf", BM_LabelSheetsToPdf)
        ->Unit(benchmark::kMillisecond)
        ->Arg(0)
        ->Arg(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("BM_PdfCopies", BM_PdfCopies)
        ->Unit(benchmark::kMillisecond)
        ->Arg(1)
        ->Arg(20);
}

const bool kRegistered = (registerAll(), true);

}  // namespace
