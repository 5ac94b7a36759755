// The Print Preview of a list's labels, as the contact list window opens it: the job laid out
// and the first page painted on screen, with the memory the preview took. Three across on the
// address stock, every contact read back from a contact file in list order. Beside it, the
// way the preview worked before: every page recorded up front by Qt's own preview widget.
// 1,000 to 100,000 labels (1,000,000 with QUILLMARK_BENCH_MILLION=1; the old way only up to
// 10,000, where it already takes seconds and hundreds of megabytes).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "list/list_labels.h"
#include "list/listed_contacts.h"
#include "platform/preview_page_view.h"
#include "platform/print_preview_window.h"
#include "platform/qt_platform_services.h"
#include "printing/label_stock.h"
#include "records/contact_file.h"
#include "records/open_contact_store.h"

namespace {

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
    r.company = i % 4 == 0 ? "Company " + std::to_string(i % 500) : "";
    r.includeCompany = i % 4 == 0 ? "1" : "0";
    return r;
}

std::string contactFile(int n) {
    const auto dir = std::filesystem::temp_directory_path() / "quillmark-preview-bench";
    std::filesystem::create_directories(dir);
    const auto path = dir / ("contacts-" + std::to_string(n) + ".DAT");
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

// Resident memory now, and the peak since the last reset, in megabytes.
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

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The labels job of every contact of the file, in file order, as the list window hands it
// over: the pages of one copy, reading the contacts a block at a time.
struct LabelsJob {
    explicit LabelsJob(int n) : store(qm::openContactStore(contactFile(n))) {
        for (int i = 1; i <= n; ++i) {
            records->push_back(i);
        }
    }
    qm::PreviewableJob job() const {
        auto listed = std::make_shared<qm::ListedContacts>(*store, *records);
        const auto contactAt = [records = records, listed](std::size_t i) {
            return (*listed)((*records)[i]);
        };
        auto plan = std::make_shared<qm::PrintPlan>(
            qm::listLabelsPlan(qm::kAddressSheet, records->size(), contactAt));
        qm::PreviewableJob job;
        job.pages = [plan](qm::PrinterSurface& s, int copies, bool selection) {
            qm::drawPlan(s, *plan, {}, copies, selection);
        };
        job.print = [](qm::PrintJob&) {};
        return job;
    }
    std::unique_ptr<qm::ContactStore> store;
    std::shared_ptr<std::vector<int>> records = std::make_shared<std::vector<int>>();
};

void report(benchmark::State& state, double before) {
    state.counters["labels"] = static_cast<double>(state.range(0));
    state.counters["peak MB"] = statusMegabytes("VmHWM:") - before;
}

// The preview window opened on the job and its first page painted.
void BM_PreviewFirstPage(benchmark::State& state) {
    application();
    qm::QtPlatformServices platform;
    const LabelsJob labels(static_cast<int>(state.range(0)));
    double before = 0;
    for (auto _ : state) {
        state.PauseTiming();
        before = statusMegabytes("VmRSS:");
        resetPeak();
        state.ResumeTiming();
        qm::PrintPreviewWindow window(platform, nullptr, qm::PrintRequest{}, labels.job());
        window.show();
        window.findChild<qm::PreviewPageView*>(QStringLiteral("previewView"))
            ->viewport()
            ->repaint();
        QCoreApplication::processEvents();
        if (window.pageCount() != (state.range(0) + 29) / 30) {
            state.SkipWithError("not every page laid out");
        }
    }
    report(state, before);
}

// The same job in Qt's own preview widget, every page painted into its recording before the
// first is shown: the preview as it was.
void BM_PreviewFirstPageRecordedUpFront(benchmark::State& state) {
    application();
    const LabelsJob labels(static_cast<int>(state.range(0)));
    double before = 0;
    for (auto _ : state) {
        state.PauseTiming();
        before = statusMegabytes("VmRSS:");
        resetPeak();
        state.ResumeTiming();
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewWidget widget(&printer);
        QObject::connect(&widget, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
            auto surface = qm::QtPrinterSurface::forPreview(*target, {});
            labels.job().pages(*surface, 1, false);
            surface->endJob();
            target->setFullPage(true);
            QPainter painter(target);
            painter.scale(target->resolution() / 72.0, target->resolution() / 72.0);
            for (int i = 0; i < surface->keptPageCount(); ++i) {
                if (i > 0) {
                    target->newPage();
                }
                surface->paintKeptPage(painter, i);
            }
        });
        widget.resize(900, 700);
        widget.show();
        widget.updatePreview();
        widget.repaint();
        QCoreApplication::processEvents();
        if (widget.pageCount() != (state.range(0) + 29) / 30) {
            state.SkipWithError("not every page recorded");
        }
    }
    report(state, before);
}

void registerAll() {
    std::vector<long> sizes = {1000, 10000, 100000};
    if (std::getenv("QUILLMARK_BENCH_MILLION") != nullptr) {
        sizes.push_back(1000000);
    }
    auto* shown = benchmark::RegisterBenchmark("BM_PreviewFirstPage", BM_PreviewFirstPage);
    for (long n : sizes) {
        shown->Arg(n);
    }
    shown->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
    benchmark::RegisterBenchmark("BM_PreviewFirstPageRecordedUpFront",
                                 BM_PreviewFirstPageRecordedUpFront)
        ->Arg(1000)
        ->Arg(10000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3)
        ->UseRealTime();
}

const bool kRegistered = (registerAll(), true);

}  // namespace
