// CSV import and export throughput on large contact files: the whole import command's core
// work (decode, parse, duplicate test, append) and the export writer.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "records/contact_file.h"

namespace {

std::string benchFolder() {
    const auto dir = std::filesystem::temp_directory_path() / "quillmark-exchange-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

// Names built from syllables, so that names share pieces the way real names do.
std::string syllableName(std::mt19937& rng, int syllables) {
    static const char* const kSyllables[] = {"an",  "bel", "cor", "da", "el",  "fin", "ga",
                                             "hal", "is",  "jo",  "ka", "lee", "mar", "no",
                                             "or",  "pe",  "ri",  "sa", "tor", "vi"};
    std::uniform_int_distribution<int> pick(0, 19);
    std::string name;
    for (int i = 0; i < syllables; ++i) {
        name += kSyllables[pick(rng)];
    }
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

qm::ContactRecord person(std::mt19937& rng, int i) {
    qm::ContactRecord r;
    r.firstName = syllableName(rng, 2);
    r.lastName = syllableName(rng, 3);
    r.street = std::to_string(i % 9000 + 10) + " Main Street";
    r.city = "Springfield";
    r.state = "IL";
    r.zip = "62701";
    r.homePhone = "555-" + std::to_string(1000 + i % 9000);
    r.email = "person" + std::to_string(i) + "@example.com";
    r.birthdate = "19800410";
    r.includeCompany = "0";
    r.reminder = "1";
    return r;
}

std::vector<qm::ContactRecord> people(int count, int firstNumber, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<qm::ContactRecord> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        out.push_back(person(rng, firstNumber + i));
    }
    return out;
}

std::string contactFileBytes(const std::vector<qm::ContactRecord>& records) {
    std::string bytes;
    for (const qm::ContactRecord& r : records) {
        const qm::RecordBytes one = qm::encodeRecord(r);
        bytes.append(one.data(), one.size());
    }
    return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The import command's work: records on file read, the CSV imported, the result appended.
void runImport(qm::ContactFile& file, const std::string& csv) {
    const std::vector<qm::ContactRecord> onFile = file.readAll();
    const qm::ImportResult result = qm::importCsv(csv, onFile, true);
    file.appendAll(result.records);
    benchmark::DoNotOptimize(result.records.size());
}

void BM_ImportIntoEmptyFile(benchmark::State& state) {
    const std::string csv = qm::exportText(people(100000, 1, 7), qm::ExportFormat::Csv);
    const std::string path = benchFolder() + "/import-empty.DAT";
    qm::ContactFile file;
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, "");
        file.open(path);
        state.ResumeTiming();
        runImport(file, csv);
        state.PauseTiming();
        file.close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ImportIntoEmptyFile)->Unit(benchmark::kMillisecond);

// 10,000 lines against 100,000 contacts: a third found by e-mail, a third new people, a
// third known names under new addresses (found only by the name test).
void BM_ImportIntoLargeFile(benchmark::State& state) {
    const std::vector<qm::ContactRecord> existing = people(100000, 1, 7);
    std::vector<qm::ContactRecord> incoming = people(10000, 200001, 11);
    for (std::size_t i = 0; i < incoming.size(); i += 3) {
        incoming[i].email = existing[i * 7].email;
    }
    for (std::size_t i = 2; i < incoming.size(); i += 3) {
        incoming[i].firstName = existing[i * 5].firstName;
        incoming[i].lastName = existing[i * 5].lastName;
    }
    const std::string csv = qm::exportText(incoming, qm::ExportFormat::Csv);
    const std::string fileBytes = contactFileBytes(existing);
    const std::string path = benchFolder() + "/import-large.DAT";
    qm::ContactFile file;
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, fileBytes);
        file.open(path);
        state.ResumeTiming();
        runImport(file, csv);
        state.PauseTiming();
        state.counters["imported"] = file.count() - 100000;
        file.close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ImportIntoLargeFile)->Unit(benchmark::kMillisecond);

void BM_Export(benchmark::State& state) {
    const std::string folder = benchFolder();
    const std::string path = folder + "/export.DAT";
    writeFile(path, contactFileBytes(people(100000, 1, 7)));
    qm::ContactFile file;
    file.open(path);
    for (auto _ : state) {
        const qm::ExportResult r = qm::exportContacts(file, path, folder, qm::ExportFormat::Csv);
        benchmark::DoNotOptimize(r.count);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);

}  // namespace
