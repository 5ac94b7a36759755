// Reading an address book of 10,000 cards from a local radicale server (started by
// scripts/carddav-bench.sh): the whole read an import makes, and the second read of a sync
// that finds nothing changed. Most of the time is the server's.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    filledBook();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
