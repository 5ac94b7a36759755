// The contact list of a 100,000-contact file (and of 1,000,000 with QUILLMARK_BENCH_MILLION=1)
// sorted by last name: the core list alone, the window's Get report with the list shown and
// painted, a city search in the window, and (100,000 only) the whole list copied and pasted
// back into it. The window cases report the memory the window took at its peak.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "list/contact_list.h"
#include "list/contact_list_window.h"
#include "platform/qt_platform_services.h"
#include "records/contact_file.h"

namespace {

// About one contact in ninety lives in a city whose name holds this.
constexpr const char* kSearchedCity = "City17";

qm::ContactRecord listedContact(int i, int n) {
    qm::ContactRecord r;
    // Scattered names, so the order has real work to do.
    r.firstName = "First" + std::to_string((i * 31) % 997);
    r.middleInitial = i % 3 == 0 ? "Q" : "";
    r.lastName = "Last" + std::to_string((static_cast<long long>(i) * 7919) % n);
    r.city = "City" + std::to_string((i * 13) % 1000);
    r.state = "IL";
    r.zip = "62701";
    r.homePhone = "217-555-0100";
    r.email = "person" + std::to_string(i) + "@example.com";
    return r;
}

std::string listFile(int n) {
    const auto dir = std::filesystem::temp_directory_path() / "quillmark-bench";
    std::filesystem::create_directories(dir);
    const auto path = dir / ("contact-list-" + std::to_string(n) + ".DAT");
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
            chunk.push_back(listedContact(i, n));
        }
        file.appendAll(chunk);
    }
    return path.string();
}

QApplication& application() {
    static int argc = 1;
    static char name[] = "quillmark_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

// The user's answer to the search prompt; everything else as on the desktop.
class SearchingPlatform : public qm::QtPlatformServices {
  public:
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override {
        return QString::fromLatin1(kSearchedCity);
    }
};

double statusMegabytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key) {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
    }
    return 0;
}

template <typename T>
T* control(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

void BM_ContactListBuiltByLastName(benchmark::State& state) {
    qm::ContactFile file;
    file.open(listFile(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        auto entries =
            qm::buildContactList(file, qm::SearchField::All, "", qm::SortOrder::ByLastName);
        benchmark::DoNotOptimize(entries.data());
    }
}

// Get report in a new window, the list shown and painted at its end; the search option is
// chosen (and its prompt answered) before the clock starts.
void runGetReport(benchmark::State& state, const char* searchOption, int expectedRows) {
    application();
    SearchingPlatform platform;
    const int n = static_cast<int>(state.range(0));
    qm::AppState app(platform, QString::fromStdString(std::filesystem::temp_directory_path()));
    app.openFile(QString::fromStdString(listFile(n)));
    double before = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        before = statusMegabytes("VmRSS:");
        std::ofstream("/proc/self/clear_refs") << "5";
        auto* window = new frmViewAll(app);
        window->show();
        window->selectStartOptions();
        control<QRadioButton>(window, searchOption)->setChecked(true);
        control<QRadioButton>(window, "optLnameSort")->setChecked(true);
        state.ResumeTiming();
        control<QPushButton>(window, "cmdACGetReport")->click();
        auto* list = control<QListView>(window, "lstAllContacts");
        list->scrollToBottom();
        window->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        peak = statusMegabytes("VmHWM:") - before;
        if (window->listModel().rowCount() != expectedRows) {
            state.SkipWithError("not every contact listed");
        }
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["window MB"] = peak;
}

void BM_ContactListWindowGetReportShown(benchmark::State& state) {
    runGetReport(state, "optSearchAll", static_cast<int>(state.range(0)));
}

void BM_ContactListWindowCitySearch(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    int found = 0;
    for (int i = 1; i <= n; ++i) {
        found += listedContact(i, n).city.find(kSearchedCity) != std::string::npos ? 1 : 0;
    }
    runGetReport(state, "optSearchCity", found);
}

void BM_ContactListWindowPasteWholeList(benchmark::State& state) {
    application();
    qm::QtPlatformServices platform;
    const int n = static_cast<int>(state.range(0));
    qm::AppState app(platform, QString::fromStdString(std::filesystem::temp_directory_path()));
    app.openFile(QString::fromStdString(listFile(n)));
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = new frmViewAll(app);
        window->show();
        window->selectStartOptions();
        control<QRadioButton>(window, "optLnameSort")->setChecked(true);
        control<QPushButton>(window, "cmdACGetReport")->click();
        control<QListView>(window, "lstAllContacts")->setFocus();
        control<QAction>(window, "mnuVAEditSelAll")->trigger();
        control<QAction>(window, "mnuVAEditCopy")->trigger();
        state.ResumeTiming();
        control<QAction>(window, "mnuVAEditPaste")->trigger();
        window->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        // Every line again, and the empty piece before the first line break.
        if (window->listModel().rowCount() != 2 * n + 1) {
            state.SkipWithError("not every line pasted");
        }
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void registerAll() {
    std::vector<long> sizes = {100000};
    if (std::getenv("QUILLMARK_BENCH_MILLION") != nullptr) {
        sizes.push_back(1000000);
    }
    using Case = std::pair<const char*, void (*)(benchmark::State&)>;
    for (const Case& c :
         {Case{"BM_ContactListBuiltByLastName", BM_ContactListBuiltByLastName},
          Case{"BM_ContactListWindowGetReportShown", BM_ContactListWindowGetReportShown},
          Case{"BM_ContactListWindowCitySearch", BM_ContactListWindowCitySearch}}) {
        auto* b = benchmark::RegisterBenchmark(c.first, c.second)->Unit(benchmark::kMillisecond);
        for (long n : sizes) {
            b->Arg(n);
        }
        b->UseRealTime();
    }
    benchmark::RegisterBenchmark("BM_ContactListWindowPasteWholeList",
                                 BM_ContactListWindowPasteWholeList)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond);
}

const bool kRegistered = (registerAll(), true);

}  // namespace
