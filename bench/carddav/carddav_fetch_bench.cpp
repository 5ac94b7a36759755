// Reading an address book of 10,000 cards from a local radicale server (started by
// scripts/carddav-bench.sh): the whole read an import makes, and the second read of a sync
// that finds nothing changed; then the commands themselves, `quillmark import FILE.DAT URL`
// into an empty file and a `quillmark sync` that finds nothing changed. Most of the time is
// the server's.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "carddav/carddav_client.h"
#include "carddav/radicale_server.h"

namespace {

constexpr int kCards = 10000;

const QString& filledBook() {
    static const QString book = qm::test::makeFilledAddressBook(qm::test::kAlice, "bench", kCards);
    return book;
}

qm::carddav::ServerConnection connection() {
    return {filledBook().toStdString(), qm::test::kAlice.name, qm::test::kAlice.password};
}

void BM_ReadTenThousandCards(benchmark::State& state) {
    const qm::carddav::ServerConnection server = connection();
    for (auto _ : state) {
        const qm::carddav::AddressBookRead read = qm::carddav::readAddressBook(server);
        if (read.cards.size() != kCards) {
            state.SkipWithError("not every card was read");
        }
    }
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_ReadTenThousandCards)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SyncTenThousandCardsNothingChanged(benchmark::State& state) {
    const qm::carddav::ServerConnection server = connection();
    const qm::carddav::AddressBookRead first = qm::carddav::readAddressBook(server);
    qm::CarddavSyncState known{first.addressBookUrl, first.syncToken, {}};
    for (const qm::carddav::Card& card : first.cards) {
        known.cards.push_back({card.href, card.etag, 0, 0});
    }
    for (auto _ : state) {
        const qm::carddav::AddressBookRead read = qm::carddav::readAddressBook(server, known);
        if (!read.cards.empty() || read.unchanged != kCards) {
            state.SkipWithError("the second read was not empty");
        }
    }
}
BENCHMARK(BM_SyncTenThousandCardsNothingChanged)->Unit(benchmark::kMillisecond)->Iterations(3);

// quillmark ARGS with alice's password in the environment; false unless it exits with 0.
bool runQuillmark(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLMARK_CARDDAV_PASSWORD", QString::fromStdString(qm::test::kAlice.password));
    process.setProcessEnvironment(env);
    process.start(QUILLMARK_BIN, args + QStringList{"--user", "alice"});
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

void BM_ImportCommandTenThousandCards(benchmark::State& state) {
    const QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(dir.filePath("Bench.DAT"));
        state.ResumeTiming();
        if (!runQuillmark(
                {"--home", dir.path(), "import", dir.filePath("Bench.DAT"), filledBook()})) {
            state.SkipWithError("quillmark import failed");
        }
    }
    if (QFileInfo(dir.filePath("Bench.DAT")).size() != qint64{kCards} * 513) {
        state.SkipWithError("not every card was imported");
    }
}
BENCHMARK(BM_ImportCommandTenThousandCards)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SyncCommandNothingChanged(benchmark::State& state) {
    const QTemporaryDir dir;
    const QStringList sync{"--home", dir.path(), "sync", dir.filePath("Bench.DAT"), filledBook()};
    if (!runQuillmark(sync)) {
        state.SkipWithError("the first sync failed");
    }
    for (auto _ : state) {
        if (!runQuillmark(sync)) {
            state.SkipWithError("quillmark sync failed");
        }
    }
}
BENCHMARK(BM_SyncCommandNothingChanged)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    filledBook();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
