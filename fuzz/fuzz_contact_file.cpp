// The contact file over any bytes, through real files: count, every read, then the writers
// (an append that cuts an incomplete record off, a deletion that copies the rest). The file
// lives in a folder of its own, on a memory file system where there is one.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "records/contact_file.h"

namespace {

std::string fuzzFolder() {
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/qm-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = fuzzFolder();
    static const std::string path = folder + "/F.DAT";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    qm::ContactFile file;
    file.open(path);
    const int count = file.count();
    const std::vector<qm::ContactRecord> all = file.readAll();
    if (all.size() != static_cast<std::size_t>(count)) {
        std::abort();
    }
    for (int n = 1; n <= count && n <= 8; ++n) {
        if (!(file.read(n) == all[static_cast<std::size_t>(n - 1)])) {
            std::abort();
        }
    }
    qm::ContactRecord added = count > 0 ? all.front() : qm::ContactRecord{};
    if (file.append(added) != count + 1 || file.count() != count + 1) {
        std::abort();
    }
    file.deleteRecord(1 + static_cast<int>(size % static_cast<std::size_t>(count + 1)));
    if (file.count() != count ||
        std::filesystem::file_size(path) != static_cast<std::uintmax_t>(count) * qm::kRecordSize) {
        std::abort();
    }
    return 0;
}
