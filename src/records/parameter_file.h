#pragma once

// The parameter file of print-position adjustments: 18-byte text records, one per section
// ("ONTHEFLY", "BULKLIST", "ENVELOPE"), each holding a left and a top adjustment as
// three-character numbers. The two bytes after the record image are the line end.

#include <cstdint>
#include <string>
#include <string_view>

#include "records/file_ops.h"

namespace qm {

inline constexpr const char* kParameterFileName = "QMKPARAM.TXT";

// The parameter file of an application folder.
std::string parameterFilePath(std::string_view folder);

inline constexpr std::size_t kParamRecordSize = 18;
inline constexpr std::size_t kParamNameOffset = 0;
inline constexpr std::size_t kParamNameWidth = 8;
inline constexpr std::size_t kParamLeftOffset = 9;
inline constexpr std::size_t kParamTopOffset = 13;
inline constexpr std::size_t kParamFieldWidth = 3;
// Name, separators and both fields; the line end is never rewritten.
inline constexpr std::size_t kParamImageSize = 16;

inline constexpr const char* kSectionOnTheFly = "ONTHEFLY";
inline constexpr const char* kSectionBulkList = "BULKLIST";
inline constexpr const char* kSectionEnvelope = "ENVELOPE";
// Return-address labels: a record the calibration adds; without it they are not moved.
inline constexpr const char* kSectionReturnLabels = "RETLABEL";

// Columns to move right and lines to move down (negative: left, up).
struct Adjustment {
    int left = 0;
    int top = 0;
    bool operator==(const Adjustment&) const = default;
};

// CInt(length / 18), halves to even.
int parameterRecordCount(std::int64_t length);

// A parameter file this long is no parameter file (it holds three records); reading one is
// refused with an overflow error rather than taking the memory.
inline constexpr std::int64_t kMaxParameterFileLength = 1 << 20;

// The adjustment of one section in the bytes of a parameter file, as readAdjustment.
Adjustment adjustmentIn(std::string_view bytes, std::string_view section);

// The adjustment of one section; a later matching record overrides an earlier one, and a
// section without a record reads as 0, 0. A missing file is created empty; an existing one
// is only read, so it may be read-only. A stored field
// that is not a number throws QmError (type mismatch).
Adjustment readAdjustment(const std::string& path, std::string_view section,
                          FileOps& ops = systemFileOps());

// A stored field after adding an answer: the number value of the answer plus that of the
// stored text, as text, left-aligned in three characters and cut to three.
std::string addToField(std::string_view stored, std::string_view answer);

// Adds the answers (empty: leave that field) to every record of the section, each written
// back in place. Returns how many records matched. A missing file is created empty.
int addToAdjustment(const std::string& path, std::string_view section,
                    const std::string& leftAnswer, const std::string& topAnswer,
                    FileOps& ops = systemFileOps());

// Appends a record of 0, 0 for a section the file has none of (a section added later, such
// as the return labels'); true when one was added.
bool ensureSection(const std::string& path, std::string_view section,
                   FileOps& ops = systemFileOps());

}  // namespace qm
