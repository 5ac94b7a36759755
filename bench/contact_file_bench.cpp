// Contact file throughput: reading every record of a large file, and the compaction after one
// deletion (which rewrites the whole file).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "records/contact_file.h"

namespace {

std::string benchFolder() {
    const auto dir = std::filesystem::temp_directory_path() / "quillmark-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

qm::ContactRecord sampleContact(int i) {
    qm::ContactRecord r;
    r.firstName = "First" + std::to_string(i % 1000);
    r.lastName = "Last" + std::to_string(i);
    r.street = std::to_string(i) + " Main Street";
    r.city = "Springfield";
    r.state = "IL";
    r.zip = "62701";
    r.email = "person" + std::to_string(i) + "@example.com";
    r.reminder = "1";
    return r;
}

std::string makeFile(int records) {
    const std::string path = benchFolder() + "/bench-" + std::to_string(records) + ".DAT";
    std::filesystem::remove(path);
    qm::ContactFile file;
    file.open(path);
    std::vector<qm::ContactRecord> all;
    all.reserve(static_cast<std::size_t>(records));
    for (int i = 1; i <= records; ++i) {
        all.push_back(sampleContact(i));
    }
    file.appendAll(all);
    file.close();
    return path;
}

void BM_ReadEveryRecordOneByOne(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = makeFile(n);
    qm::ContactFile file;
    file.open(path);
    for (auto _ : state) {
        const int count = file.count();
        for (int i = 1; i <= count; ++i) {
            benchmark::DoNotOptimize(file.read(i));
        }
    }
    state.SetBytesProcessed(state.iterations() * n * static_cast<int64_t>(qm::kRecordSize));
}
BENCHMARK(BM_ReadEveryRecordOneByOne)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadAll(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = makeFile(n);
    qm::ContactFile file;
    file.open(path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetBytesProcessed(state.iterations() * n * static_cast<int64_t>(qm::kRecordSize));
}
BENCHMARK(BM_ReadAll)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DeleteOneAndCompact(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = makeFile(n);
        qm::ContactFile file;
        file.open(path);
        state.ResumeTiming();
        file.deleteRecord(n / 2);
    }
    state.SetBytesProcessed(state.iterations() * n * static_cast<int64_t>(qm::kRecordSize));
}
BENCHMARK(BM_DeleteOneAndCompact)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
