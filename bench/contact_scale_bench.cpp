// The commands a user with a large contact file runs, at 10,000, 100,000 and (with
// QUILLMARK_BENCH_MILLION=1 in the environment) 1,000,000 contacts: each runs the real
// `quillmark` program as a child process, so that its peak memory (its maximum resident set)
// is measured along with its time. Time is the child's wall time; the counters
// give its peak memory and processor time. Contact files are made once and kept in the
// temporary folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "exchange/csv_export.h"
#include "records/contact_book.h"
#include "records/contact_file.h"
#include "records/open_contact_store.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path homeFolder() {
    const fs::path dir = fs::temp_directory_path() / "quillmark-scale-bench";
    fs::create_directories(dir);
    return dir;
}

// Every field in use, a birthday on every day of the year and reminders on, so that each
// command does its whole work.
qm::ContactRecord contact(int i) {
    qm::ContactRecord r;
    r.firstName = "First" + std::to_string(i % 9973);
    r.middleInitial = i % 3 == 0 ? "Q" : "";
    r.lastName = "Last" + std::to_string((i * 7919) % 100003);
    r.street = std::to_string(i % 9000 + 10) + " Main Street";
    r.street2 = i % 5 == 0 ? "Apt " + std::to_string(i % 90) : "";
    r.city = "Springfield";
    r.state = "IL";
    r.zip = std::to_string(10000 + i % 89999);
    r.country = "USA";
    r.homePhone = "217-555-" + std::to_string(1000 + i % 9000);
    r.cellPhone = i % 2 == 0 ? "217-555-" + std::to_string(2000 + i % 7000) : "";
    r.email = "person" + std::to_string(i) + "@example.com";
    r.birthdate = std::to_string(1950 + i % 50) + (i % 12 < 9 ? "0" : "") +
                  std::to_string(i % 12 + 1) + (i % 28 < 9 ? "0" : "") + std::to_string(i % 28 + 1);
    r.category = i % 7 == 0 ? "Family" : "Friends";
    r.company = i % 4 == 0 ? "Company " + std::to_string(i % 500) : "";
    r.includeCompany = i % 4 == 0 ? "1" : "0";
    r.reminder = "1";
    return r;
}

void appendContacts(const std::string& path, int first, int last) {
    qm::ContactFile file;
    file.open(path);
    constexpr int kChunk = 10000;
    for (int from = first; from <= last; from += kChunk) {
        std::vector<qm::ContactRecord> chunk;
        for (int i = from; i < from + kChunk && i <= last; ++i) {
            chunk.push_back(contact(i));
        }
        file.appendAll(chunk);
    }
}

// A contact file of n contacts in the application folder, made once.
std::string contactFile(int n) {
    const fs::path path = homeFolder() / ("contacts-" + std::to_string(n) + ".DAT");
    if (!fs::exists(path) ||
        fs::file_size(path) != static_cast<std::uintmax_t>(n) * qm::kRecordSize) {
        fs::remove(path);
        appendContacts(path.string(), 1, n);
    }
    return path.string();
}

// A contact book of the same n contacts as contactFile(n), made once.
std::string contactBook(int n) {
    const fs::path path = homeFolder() / ("contacts-" + std::to_string(n) + ".qmbook");
    {
        qm::ContactBook book;
        book.open(path.string());
        if (book.count() == n) {
            return path.string();
        }
    }
    fs::remove(path);
    qm::ContactBook book;
    book.open(path.string());
    constexpr int kChunk = 10000;
    for (int from = 1; from <= n; from += kChunk) {
        std::vector<qm::ContactRecord> chunk;
        for (int i = from; i < from + kChunk && i <= n; ++i) {
            chunk.push_back(contact(i));
        }
        book.appendAll(chunk);
    }
    return path.string();
}

// The store of the benchmark's arguments: n contacts, in a contact file (0) or a book (1).
std::string storeOf(const benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    return state.range(1) == 0 ? contactFile(n) : contactBook(n);
}

// `count` new contacts (numbers past any file's) in the program's own CSV layout.
std::string importFile(int count = 10000) {
    const fs::path path = homeFolder() / ("import-" + std::to_string(count) + ".csv");
    if (!fs::exists(path)) {
        std::string text = qm::exportHeaderLine(qm::ExportFormat::Csv);
        for (int i = 5000001; i <= 5000000 + count; ++i) {
            text += qm::exportLine(contact(i), qm::ExportFormat::Csv);
        }
        std::ofstream(path, std::ios::binary) << text;
    }
    return path.string();
}

struct ChildRun {
    double seconds = 0;
    double peakMb = 0;
    double cpuSeconds = 0;
    std::string error;
};

// Runs the program with standard output thrown away and waits for it. The small launcher
// between them measures the program alone.
ChildRun runProgram(const std::vector<std::string>& args) {
    const std::string reportPath = (homeFolder() / "measured.txt").string();
    const std::string errPath = (homeFolder() / "stderr.txt").string();
    std::vector<std::string> all = {QUILLMARK_RUN_MEASURED, reportPath, QUILLMARK_PROGRAM, "--home",
                                    homeFolder().string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.error = "cannot start " + all[0];
        return run;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        run.error = "lost the child process";
        return run;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::ostringstream text;
        text << std::ifstream(errPath).rdbuf();
        run.error = "exit " + std::to_string(WEXITSTATUS(status)) + ": " + text.str();
        return run;
    }
    long peakKb = 0;
    std::ifstream(reportPath) >> peakKb >> run.cpuSeconds;
    run.peakMb = static_cast<double>(peakKb) / 1024.0;
    return run;
}

// `prepare` runs untimed before each run and gives the arguments.
template <typename Prepare>
void measure(benchmark::State& state, Prepare prepare) {
    double peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        const std::vector<std::string> args = [&] {
            if constexpr (std::is_invocable_v<Prepare, int>) {
                return prepare(static_cast<int>(state.range(0)));
            } else {
                return prepare(state);
            }
        }();
        const ChildRun run = runProgram(args);
        if (!run.error.empty()) {
            state.SkipWithError(run.error.c_str());
            break;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMb);
        cpu = run.cpuSeconds;
    }
    state.counters["contacts"] = static_cast<double>(state.range(0));
    state.counters["peak MB"] = peak;
    state.counters["cpu s"] = cpu;
}

// A copy of the contact file that the command may change.
std::string workingCopy(int n) {
    const fs::path work = homeFolder() / ("work-" + std::to_string(n) + ".DAT");
    fs::copy_file(contactFile(n), work, fs::copy_options::overwrite_existing);
    return work.string();
}

// The same of the benchmark's store.
std::string workingCopy(const benchmark::State& state) {
    const fs::path from = storeOf(state);
    const fs::path work = homeFolder() / ("work" + from.extension().string());
    fs::copy_file(from, work, fs::copy_options::overwrite_existing);
    return work.string();
}

std::string pdfPath() {
    return (homeFolder() / "labels.pdf").string();
}

void BM_ListCommand(benchmark::State& state) {
    measure(state, [](int n) { return std::vector<std::string>{"list", contactFile(n)}; });
}

void BM_LabelsPdfCommand(benchmark::State& state) {
    measure(state, [](int n) {
        return std::vector<std::string>{"list", contactFile(n), "--labels", "-o", pdfPath()};
    });
}

void BM_LabelsTextCommand(benchmark::State& state) {
    measure(state, [](int n) {
        return std::vector<std::string>{"list", contactFile(n), "--labels", "--text"};
    });
}

void BM_LabelsRunsCommand(benchmark::State& state) {
    measure(state, [](int n) {
        return std::vector<std::string>{"list", contactFile(n), "--labels", "--runs"};
    });
}

void BM_ExportCommand(benchmark::State& state) {
    measure(state, [](int n) {
        return std::vector<std::string>{"export", contactFile(n), "--csv"};
    });
}

void BM_DeleteOneCommand(benchmark::State& state) {
    measure(state, [](int n) {
        return std::vector<std::string>{"delete", workingCopy(n), std::to_string(n / 2)};
    });
}

void BM_Import10000Command(benchmark::State& state) {
    measure(state, [](int n) {
        return std::vector<std::string>{"import", workingCopy(n), importFile()};
    });
}

void BM_BirthdaysCommand(benchmark::State& state) {
    measure(state, [](int n) {
        return std::vector<std::string>{"birthdays", contactFile(n), "--today", "2026-06-10"};
    });
}

void BM_StoreListByLastCommand(benchmark::State& state) {
    measure(state, [](const benchmark::State& s) {
        return std::vector<std::string>{"list", storeOf(s), "--sort", "last"};
    });
}

void BM_StoreSearchCityCommand(benchmark::State& state) {
    measure(state, [](const benchmark::State& s) {
        return std::vector<std::string>{"list", storeOf(s), "--search", "city=Shelbyville"};
    });
}

void BM_StoreExportCommand(benchmark::State& state) {
    measure(state, [](const benchmark::State& s) {
        return std::vector<std::string>{"export", storeOf(s), "--csv"};
    });
}

void BM_StoreImport100000Command(benchmark::State& state) {
    measure(state, [](const benchmark::State& s) {
        return std::vector<std::string>{"import", workingCopy(s), importFile(100000)};
    });
}

// The store's own operations, in this process: open and count, add one, delete one.
void BM_StoreOpenAndCount(benchmark::State& state) {
    const std::string path = storeOf(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qm::openContactStore(path)->count());
    }
    state.counters["MB on disk"] = static_cast<double>(fs::file_size(path)) / 1e6;
}

void BM_StoreAddOne(benchmark::State& state) {
    const std::unique_ptr<qm::ContactStore> store = qm::openContactStore(workingCopy(state));
    const qm::ContactRecord added = contact(7000001);
    store->count();
    for (auto _ : state) {
        store->append(added);
    }
}

void BM_StoreDeleteOne(benchmark::State& state) {
    const std::unique_ptr<qm::ContactStore> store = qm::openContactStore(workingCopy(state));
    const int middle = store->count() / 2;
    for (auto _ : state) {
        store->deleteRecord(middle);
    }
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
        b->UseManualTime()->Iterations(1);
        return b;
    };
    each("BM_ListCommand", BM_ListCommand);
    each("BM_LabelsPdfCommand", BM_LabelsPdfCommand)->Arg(30000);
    each("BM_LabelsTextCommand", BM_LabelsTextCommand);
    each("BM_LabelsRunsCommand", BM_LabelsRunsCommand);
    each("BM_ExportCommand", BM_ExportCommand);
    each("BM_DeleteOneCommand", BM_DeleteOneCommand);
    each("BM_Import10000Command", BM_Import10000Command);
    each("BM_BirthdaysCommand", BM_BirthdaysCommand);

    const auto side = [&](const char* name, void (*fn)(benchmark::State&), bool manual) {
        auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
        for (long n : sizes) {
            b->Args({n, 0})->Args({n, 1});
        }
        b->ArgNames({"contacts", "book"});
        return manual ? b->UseManualTime()->Iterations(1) : b->Iterations(5);
    };
    side("BM_StoreListByLastCommand", BM_StoreListByLastCommand, true);
    side("BM_StoreSearchCityCommand", BM_StoreSearchCityCommand, true);
    side("BM_StoreExportCommand", BM_StoreExportCommand, true);
    side("BM_StoreImport100000Command", BM_StoreImport100000Command, true);
    side("BM_StoreOpenAndCount", BM_StoreOpenAndCount, false);
    side("BM_StoreAddOne", BM_StoreAddOne, false);
    side("BM_StoreDeleteOne", BM_StoreDeleteOne, false);
}

const bool kRegistered = (registerAll(), true);

}  // namespace
