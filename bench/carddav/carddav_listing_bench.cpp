// The memory a long listing costs: `quillmark import --dry-run URL` against a scripted server
// whose address book lists N cards (hrefs and ETags as a large server writes them) and then
// answers no multiget, so that the run ends once the listing is read. Reported: the program's
// peak memory and what each listed card adds to it over an empty listing.
#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "carddav/scripted_server.h"

namespace {

QByteArray listingOf(int cards) {
    QByteArray responses;
    responses.reserve(qsizetype{cards} * 230);
    for (int i = 0; i < cards; ++i) {
        const QByteArray number = QByteArray::number(i).rightJustified(12, '0');
        const QByteArray etag = QByteArray::number(std::uint64_t{2654435761u} * unsigned(i), 16)
                                    .rightJustified(32, '0');
        responses +=
            qm::test::response("/book/" + QByteArray::number(i, 16).rightJustified(8, '0') +
                                   "-2c3e-4b5a-9d1e-" + number + ".vcf",
                               "<D:getetag>\"" + etag + "\"</D:getetag>");
    }
    return qm::test::multistatus(responses);
}

const QByteArray kBook = qm::test::multistatus(qm::test::response(
    "/book/", "<D:resourcetype><D:collection/><C:addressbook/></D:resourcetype>"));

// Peak memory of the program in kilobytes, while `server` answers it.
long peakKilobytes(const qm::test::ScriptedServer& server, const QTemporaryDir& dir) {
    const QString report = dir.filePath("report");
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(QUILLMARK_RUN_MEASURED,
                  {report, QUILLMARK_BIN, "--home", dir.path(), "import", dir.filePath("L.DAT"),
                   server.url("/book/"), "--dry-run", "--max-cards", "10000000"});
    loop.exec();
    QFile file(report);
    file.open(QIODevice::ReadOnly);
    return file.readAll().split(' ').value(0).toLong();
}

long peakFor(int cards, const QTemporaryDir& dir) {
    const QByteArray listing = listingOf(cards);
    qm::test::ScriptedServer server([&](const qm::test::Request& r) {
        if (r.method == "PROPFIND") {
            return kBook;
        }
        return r.body.contains("addressbook-query") ? listing : qm::test::multistatus("");
    });
    return peakKilobytes(server, dir);
}

void BM_ListingPeakMemory(benchmark::State& state) {
    const QTemporaryDir dir;
    static const long emptyPeak = peakFor(0, dir);
    const int cards = static_cast<int>(state.range(0));
    long peak = 0;
    for (auto _ : state) {
        peak = peakFor(cards, dir);
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024;
    state.counters["bytes_per_card"] =
        static_cast<double>(peak - emptyPeak) * 1024 / static_cast<double>(cards);
}
BENCHMARK(BM_ListingPeakMemory)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
