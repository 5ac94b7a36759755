// Import and export throughput on large contact files: the whole import command's core work
// (decode, read, clean, duplicate test, append) for the program's own CSV layout, another
// program's named CSV columns and vCards, and the export writer.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "exchange/contact_import.h"
#include "exchange/csv_export.h"
#include "exchange/vcard_export.h"
#include "records/contact_file.h"
#include "records/text_rules.h"

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

// The import command's work: the contacts on file indexed, the file imported, the result
// appended.
void runImport(qm::ContactFile& file, const std::string& input) {
    const qm::ImportResult result = qm::importContacts(input, qm::indexContacts(file), true);
    file.appendAll(result.records);
    benchmark::DoNotOptimize(result.records.size());
}

// Another program's CSV: columns by name (Google's), every value cleaned as typed.
std::string namedColumnsCsv(const std::vector<qm::ContactRecord>& records) {
    std::string csv =
        "First Name,Middle Name,Last Name,Birthday,Notes,Labels,E-mail 1 - Label,"
        "E-mail 1 - Value,Phone 1 - Label,Phone 1 - Value,Address 1 - Label,"
        "Address 1 - Street,Address 1 - City,Address 1 - Region,Address 1 - Postal Code\r\n";
    for (const qm::ContactRecord& r : records) {
        csv += r.firstName + ",," + r.lastName + ",1980-04-10,,* myContacts,* Home," + r.email +
               ",Home,+1 " + r.homePhone + ",Home,\"" + r.street + "\"," + r.city + "," + r.state +
               "," + r.zip + "\r\n";
    }
    return csv;
}

// Another program's vCards (not this program's own, which are read back as stored).
std::string foreignVCards(const std::vector<qm::ContactRecord>& records) {
    return qm::replaceAll(qm::vcardText(records), "PRODID:-//Quillmark//Quillmark//EN",
                          "PRODID:-//Example//Contacts//EN");
}

std::string inputOf(int kind, const std::vector<qm::ContactRecord>& records) {
    switch (kind) {
        case 1:
            return namedColumnsCsv(records);
        case 2:
            return foreignVCards(records);
        default:
            return qm::exportText(records, qm::ExportFormat::Csv, qm::TextEncoding::CodePage1252);
    }
}

const char* kKinds[] = {"own CSV layout", "named CSV columns", "vCards"};

// Argument 0: the program's own CSV layout; 1: named CSV columns; 2: vCards.
void BM_ImportIntoEmptyFile(benchmark::State& state) {
    const std::string csv = inputOf(static_cast<int>(state.range(0)), people(100000, 1, 7));
    state.SetLabel(kKinds[state.range(0)]);
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
BENCHMARK(BM_ImportIntoEmptyFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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
    const std::string csv = inputOf(static_cast<int>(state.range(0)), incoming);
    state.SetLabel(kKinds[state.range(0)]);
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
BENCHMARK(BM_ImportIntoLargeFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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

// One contact whose notes hold a megabyte of letters the code page lacks (Cyrillic), as a
// CSV line and as a vCard: the letters are folded only as far as the field can hold.
// Argument 0: CSV; 1: vCard.
void BM_ImportMegabyteValue(benchmark::State& state) {
    std::string value;
    while (value.size() < (1u << 20)) {
        value += "\u042e\u0440\u0438\u0439 \u0429\u0435\u0440\u0431\u0430\u043a\u043e\u0432 ";
    }
    const std::string input =
        state.range(0) == 0
            ? "First Name,Last Name,E-mail Address,Notes\r\nAnn,Lee,ann@x.com," + value + "\r\n"
            : "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nNOTE:" + value +
                  "\r\nEND:VCARD\r\n";
    state.SetLabel(state.range(0) == 0 ? "CSV" : "vCard");
    for (auto _ : state) {
        const qm::ImportResult result = qm::importContacts(input, {}, true);
        if (result.records.size() != 1) {
            state.SkipWithError("the contact was not imported");
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}
BENCHMARK(BM_ImportMegabyteValue)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
