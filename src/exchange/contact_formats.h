#pragma once

// The files contacts live in and travel in, one row each: the contact file, and the formats
// the import reads and the export writes. The import window's file filter, the export
// window's options, the command line's export options, what a dropped file or one named at
// start opens, and the desktop entry's MIME types all read these rows.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "exchange/contact_reader.h"
#include "records/contact_record.h"

namespace qm {

enum class ExportFormat { Csv, Txt, VCard };

enum class FormatRole {
    ContactStore,  // where contacts are kept: opened, never imported
    Exchange,      // imported from, exported to
};

// How the import tells that a file is in this format.
enum class Recognition {
    None,      // never on its own (a text file is read as whatever its content is)
    Content,   // by the row's test of the file's text
    Fallback,  // whatever no content test claims
};

struct ContactFormat {
    std::string_view name;
    FormatRole role = FormatRole::Exchange;
    std::span<const std::string_view> endings = {};  // lower case, without the dot
    // The desktop hands files of these types to the program: a contact store opens, an
    // exchange format is imported. Such a file's ending does the same when it is dropped or
    // named at start.
    std::span<const std::string_view> mimeTypes = {};

    // ---- Import
    std::string_view dialogFilter = {};  // the import's file dialog; empty: not offered
    Recognition recognition = Recognition::None;
    bool (*recognises)(std::string_view utf8Text) = nullptr;
    // The reader for the file's text; none when the file is not compatible.
    std::unique_ptr<ContactReader> (*openReader)(std::string utf8Text,
                                                 const FieldLimits& limits) = nullptr;

    // ---- Export
    std::optional<ExportFormat> exportFormat = std::nullopt;
    std::string_view exportFlag = {};         // the command line's --flag
    std::string_view exportHelp = {};         // what the flag writes, for the command's help
    std::string_view exportOption = {};       // the export window's option
    std::string_view exportControl = {};      // its control's name
    std::string_view exportKind = {};         // "A csv file of contacts", in the window's texts
    std::string_view exportPrefix = {};       // before the contact file's name
    std::string_view exportEnding = {};       // after it, with the dot
    std::string (*exportHeader)() = nullptr;  // the file's first line; none: nothing
    std::string (*exportRecord)(const ContactRecord& record) = nullptr;

    bool desktopOpens() const { return !mimeTypes.empty(); }
};

// Every row: the contact file first, then the exchange formats in the order the export
// offers them.
std::span<const ContactFormat> contactFormats();

const ContactFormat& exportRow(ExportFormat format);

// The row a file's ending names, whatever its case; none for an ending no row has.
const ContactFormat* formatOfEnding(std::string_view ending);

// The reader for a file's bytes, picked by the file's content: the first row whose test
// claims its text, else the fallback row's reader (CSV), its values made storable by the
// limits of the store they go into. None when the file is not compatible. Throws QmError
// for an empty file.
std::unique_ptr<ContactReader> openContactReader(std::string_view fileBytes,
                                                 const FieldLimits& limits = kContactFileLimits);

// The import's file dialog filter, ";;" between the choices: first every format the
// desktop hands over, together, then each format alone in that order, then the others, then
// all files.
std::string importDialogFilter();

// The desktop entry's MimeType value: every row's types, each followed by ";".
std::string desktopMimeTypes();

}  // namespace qm
