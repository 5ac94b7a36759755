#include "records/parameter_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

std::string parameterFilePath(std::string_view folder) {
    return std::string(folder) + "/" + kParameterFileName;
}

namespace {

std::int64_t offsetOf(int n) {
    return static_cast<std::int64_t>(n - 1) * kParamRecordSize;
}

std::string_view fieldOf(std::string_view image, std::size_t offset) {
    return image.substr(offset, kParamFieldWidth);
}

bool nameMatches(std::string_view image, std::string_view section) {
    return trimRight(image.substr(kParamNameOffset, kParamNameWidth)) == section;
}

// A stored field as a 16-bit whole number; anything but a number is a type mismatch.
int fieldValue(std::string_view field) {
    if (!isNumeric(field)) {
        throwError(err::kTypeMismatch, "Type mismatch");
    }
    return cint(numberValue(field), true);
}

// The number as the shortest text that reads back the same (1.5, -2, 1004).
std::string numberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// Every record image of the file, in one read; a short last record is padded with blanks.
std::string readImages(FileOps& ops, int fd, const std::string& path) {
    const std::int64_t length = ops.size(fd);
    if (length > kMaxParameterFileLength) {
        throwError(err::kOverflow, "Overflow (" + path + " holds " + std::to_string(length) +
                                       " bytes, more than " +
                                       std::to_string(kMaxParameterFileLength) + ")");
    }
    const int count = parameterRecordCount(length);
    std::string bytes(static_cast<std::size_t>(count) * kParamRecordSize, ' ');
    ops.readAt(fd, bytes.data(), bytes.size(), 0);
    return bytes;
}

// Closes the descriptor on every way out; a failure to close is reported only when
// nothing failed before it.
class OpenParameterFile {
  public:
    enum class Access { Read, ReadWrite };
    OpenParameterFile(FileOps& ops, const std::string& path, Access access)
        : ops_(ops), fd_(open(ops, path, access)) {}
    ~OpenParameterFile() {
        if (fd_ >= 0) {
            try {
                ops_.close(fd_);
            } catch (const QmError&) {
                // Already leaving with the error that matters.
            }
        }
    }
    OpenParameterFile(const OpenParameterFile&) = delete;
    OpenParameterFile& operator=(const OpenParameterFile&) = delete;

    int fd() const { return fd_; }
    void close() {
        const int fd = fd_;
        fd_ = -1;
        ops_.close(fd);
    }

  private:
    // A reader never writes, so a read-only file still gives its adjustments; only a
    // missing file is created.
    static int open(FileOps& ops, const std::string& path, Access access) {
        if (access == Access::Read && ops.exists(path)) {
            return ops.openRead(path);
        }
        return ops.openReadWrite(path);
    }

    FileOps& ops_;
    int fd_;
};

bool adjustmentHasSection(const std::string& bytes, int count, std::string_view section) {
    for (int n = 1; n <= count; ++n) {
        if (nameMatches(std::string_view(bytes).substr(static_cast<std::size_t>(offsetOf(n)),
                                                       kParamImageSize),
                        section)) {
            return true;
        }
    }
    return false;
}

// What completes a short last record that ends at `end`, as readers see it: the blanks
// they pad its image with, then its line end. Nothing when the records are whole.
std::string completionOfLastRecord(const std::string& images, std::int64_t end) {
    if (static_cast<std::size_t>(end) >= images.size()) {
        return {};
    }
    const std::size_t start = images.size() - kParamRecordSize;
    const std::string last = images.substr(start, kParamImageSize) + "\r\n";
    return last.substr(static_cast<std::size_t>(end) - start);
}

}  // namespace

int parameterRecordCount(std::int64_t length) {
    const double count = std::nearbyint(static_cast<double>(length) / kParamRecordSize);
    if (count > 2147483647.0) {
        throwError(err::kOverflow, "Overflow");
    }
    return static_cast<int>(count);
}

Adjustment adjustmentIn(std::string_view bytes, std::string_view section) {
    const int count = parameterRecordCount(static_cast<std::int64_t>(bytes.size()));
    std::string padded(bytes);
    padded.resize(static_cast<std::size_t>(count) * kParamRecordSize, ' ');
    Adjustment found;
    for (int n = 1; n <= count; ++n) {
        const std::string_view image =
            std::string_view(padded).substr(static_cast<std::size_t>(offsetOf(n)), kParamImageSize);
        if (nameMatches(image, section)) {
            found.left = fieldValue(fieldOf(image, kParamLeftOffset));
            found.top = fieldValue(fieldOf(image, kParamTopOffset));
        }
    }
    return found;
}

Adjustment readAdjustment(const std::string& path, std::string_view section, FileOps& ops) {
    OpenParameterFile file(ops, path, OpenParameterFile::Access::Read);
    const std::string bytes = readImages(ops, file.fd(), path);
    file.close();
    return adjustmentIn(bytes, section);
}

std::string addToField(std::string_view stored, std::string_view answer) {
    const double sum = numberValue(answer) + numberValue(trimLeft(stored));
    return fitWidth(numberText(sum), kParamFieldWidth);
}

int addToAdjustment(const std::string& path, std::string_view section,
                    const std::string& leftAnswer, const std::string& topAnswer, FileOps& ops) {
    OpenParameterFile file(ops, path, OpenParameterFile::Access::ReadWrite);
    const std::string bytes = readImages(ops, file.fd(), path);
    const int count = static_cast<int>(bytes.size() / kParamRecordSize);
    int matched = 0;
    for (int n = 1; n <= count; ++n) {
        std::string image = bytes.substr(static_cast<std::size_t>(offsetOf(n)), kParamImageSize);
        if (!nameMatches(image, section)) {
            continue;
        }
        if (!leftAnswer.empty()) {
            image.replace(kParamLeftOffset, kParamFieldWidth,
                          addToField(fieldOf(image, kParamLeftOffset), leftAnswer));
        }
        if (!topAnswer.empty()) {
            image.replace(kParamTopOffset, kParamFieldWidth,
                          addToField(fieldOf(image, kParamTopOffset), topAnswer));
        }
        ops.writeAt(file.fd(), image.data(), image.size(), offsetOf(n));
        ++matched;
    }
    file.close();
    return matched;
}

bool ensureSection(const std::string& path, std::string_view section, FileOps& ops) {
    OpenParameterFile file(ops, path, OpenParameterFile::Access::ReadWrite);
    const std::string bytes = readImages(ops, file.fd(), path);
    const int count = static_cast<int>(bytes.size() / kParamRecordSize);
    if (adjustmentHasSection(bytes, count, section)) {
        file.close();
        return false;
    }
    // Bytes past the last counted record are none of the readers' (a short last record is
    // counted and padded with blanks; a stub of under half a record is not counted).
    const std::int64_t end = std::min(ops.size(file.fd()), offsetOf(count + 1));
    const std::string added = completionOfLastRecord(bytes, end) +
                              fitWidth(std::string(section), kParamNameWidth) + " 0   0  \r\n";
    try {
        ops.writeAt(file.fd(), added.data(), added.size(), end);
        ops.sync(file.fd());
    } catch (...) {
        // Whole or absent: readers find the file as it was.
        try {
            ops.truncate(file.fd(), end);
        } catch (const QmError&) {
            // The first failure is the one reported.
        }
        throw;
    }
    file.close();
    return true;
}

}  // namespace qm
