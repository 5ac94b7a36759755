// The contact list of a 100,000-contact file sorted by last name: the core list alone, the
// window's Get report with the list shown and painted, and the whole list copied and pasted
// back into it.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <string>

#include "list/contact_list.h"
#include "list/contact_list_window.h"
#include "platform/qt_platform_services.h"
#include "records/contact_file.h"

namespace {

constexpr int kContacts = 100000;

std::string listFile() {
    const auto dir = std::filesystem::temp_directory_path() / "quillmark-bench";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "list-100000.DAT").string();
    if (std::filesystem::exists(path)) {
        return path;
    }
    std::vector<qm::ContactRecord> all;
    all.reserve(kContacts);
    for (int i = 1; i <= kContacts; ++i) {
        qm::ContactRecord r;
        // Scattered names, so the order has real work to do.
        r.firstName = "First" + std::to_string((i * 31) % 997);
        r.middleInitial = i % 3 == 0 ? "Q" : "";
        r.lastName = "Last" + std::to_string((i * 7919) % kContacts);
        r.city = "Springfield";
        r.state = "IL";
        r.zip = "62701";
        r.homePhone = "217-555-0100";
        r.email = "person" + std::to_string(i) + "@example.com";
        all.push_back(r);
    }
    qm::ContactFile file;
    file.open(path);
    file.appendAll(all);
    return path;
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

void BM_ContactListBuiltByLastName(benchmark::State& state) {
    qm::ContactFile file;
    file.open(listFile());
    for (auto _ : state) {
        auto entries =
            qm::buildContactList(file, qm::SearchField::All, "", qm::SortOrder::ByLastName);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_ContactListBuiltByLastName)->Unit(benchmark::kMillisecond);

// The window's controls, found by the names the program gives them.
template <typename T>
T* named(const QObject* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

void BM_ContactListWindowGetReportShown(benchmark::State& state) {
    application();
    qm::QtPlatformServices platform;
    qm::AppState app(platform, QString::fromStdString(std::filesystem::temp_directory_path()));
    app.openFile(QString::fromStdString(listFile()));
    for (auto _ : state) {
        auto* window = new frmViewAll(app);
        window->show();
        window->selectStartOptions();
        named<QRadioButton>(window, "optLnameSort")->setChecked(true);
        named<QPushButton>(window, "cmdACGetReport")->click();
        named<QListView>(window, "lstAllContacts")->scrollToBottom();
        window->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (window->listModel().rowCount() != kContacts) {
            state.SkipWithError("not every contact listed");
        }
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ContactListWindowGetReportShown)->Unit(benchmark::kMillisecond);

void BM_ContactListWindowPasteWholeList(benchmark::State& state) {
    application();
    qm::QtPlatformServices platform;
    qm::AppState app(platform, QString::fromStdString(std::filesystem::temp_directory_path()));
    app.openFile(QString::fromStdString(listFile()));
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = new frmViewAll(app);
        window->show();
        window->selectStartOptions();
        named<QRadioButton>(window, "optLnameSort")->setChecked(true);
        named<QPushButton>(window, "cmdACGetReport")->click();
        named<QListView>(window, "lstAllContacts")->setFocus();
        named<QAction>(window, "mnuVAEditSelAll")->trigger();
        named<QAction>(window, "mnuVAEditCopy")->trigger();
        state.ResumeTiming();
        named<QAction>(window, "mnuVAEditPaste")->trigger();
        window->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        // Every line again, and the empty piece before the first line break.
        if (window->listModel().rowCount() != 2 * kContacts + 1) {
            state.SkipWithError("not every line pasted");
        }
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ContactListWindowPasteWholeList)->Unit(benchmark::kMillisecond);

}  // namespace
