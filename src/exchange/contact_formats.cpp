#include "exchange/contact_formats.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "exchange/csv_contact_reader.h"
#include "exchange/own_layout.h"
#include "exchange/vcard_export.h"
#include "exchange/vcard_reader.h"
#include "records/code_page.h"
#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

namespace {

constexpr int kInputPastEnd = 62;

constexpr std::string_view kContactFileEndings[] = {"dat"};
constexpr std::string_view kContactFileTypes[] = {"application/x-quillmark-contacts"};
constexpr std::string_view kCsvEndings[] = {"csv"};
constexpr std::string_view kCsvTypes[] = {"text/csv"};
constexpr std::string_view kTextEndings[] = {"txt"};
constexpr std::string_view kVCardEndings[] = {"vcf", "vcard"};
constexpr std::string_view kVCardTypes[] = {"text/vcard", "text/x-vcard"};

constexpr std::array<ContactFormat, 4> kContactFormats = {{
    {
        .name = "Contact file",
        .role = FormatRole::ContactStore,
        .endings = kContactFileEndings,
        .mimeTypes = kContactFileTypes,
    },
    {
        .name = "CSV",
        .endings = kCsvEndings,
        .mimeTypes = kCsvTypes,
        .dialogFilter = "CSV Files (*.CSV)",
        .recognition = Recognition::Fallback,
        .openReader = [](std::string text,
                         const FieldLimits& limits) -> std::unique_ptr<ContactReader> {
            return CsvContactReader::open(std::move(text), limits);
        },
        .exportFormat = ExportFormat::Csv,
        .exportFlag = "csv",
        .exportHelp = "comma-separated values",
        .exportOption = "Export contacts to comma separated values (.csv) file",
        .exportControl = "optExpCGCSV",
        .exportKind = "csv",
        .exportPrefix = "QMKC_",
        .exportEnding = ".csv",
        .exportHeader = [] { return ownLayoutHeader(','); },
        .exportRecord =
            [](const ContactRecord& r) { return ownLayoutLine(r, ',', CellQuoting::Csv); },
    },
    {
        .name = "Text",
        .endings = kTextEndings,
        .dialogFilter = "Text Files (*.TXT)",
        .exportFormat = ExportFormat::Txt,
        .exportFlag = "txt",
        .exportHelp = "\"|\"-separated text",
        .exportOption = "Export contacts to text (.txt) file",
        .exportControl = "optExpCGTXT",
        .exportKind = "text",
        .exportPrefix = "QMKT_",
        .exportEnding = ".txt",
        .exportHeader = [] { return ownLayoutHeader('|'); },
        .exportRecord =
            [](const ContactRecord& r) { return ownLayoutLine(r, '|', CellQuoting::None); },
    },
    {
        .name = "vCard",
        .endings = kVCardEndings,
        .mimeTypes = kVCardTypes,
        .dialogFilter = "vCard Files (*.vcf *.vcard)",
        .recognition = Recognition::Content,
        .recognises = looksLikeVCard,
        .openReader = [](std::string text,
                         const FieldLimits& limits) -> std::unique_ptr<ContactReader> {
            return std::make_unique<VCardReader>(std::move(text), limits);
        },
        .exportFormat = ExportFormat::VCard,
        .exportFlag = "vcard",
        .exportHelp = "vCard 3.0 in UTF-8, one file, for address books and mail programs",
        .exportOption = "Export contacts to vCard (.vcf) file",
        .exportControl = "optExpVCard",
        .exportKind = "vCard",
        .exportPrefix = "QMKV_",
        .exportEnding = ".vcf",
        .exportRecord = vcardOf,
    },
}};

constexpr bool eachExportFormatHasOneRow() {
    for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::Txt, ExportFormat::VCard}) {
        int rows = 0;
        for (const ContactFormat& row : kContactFormats) {
            rows += row.exportFormat == format ? 1 : 0;
        }
        if (rows != 1) {
            return false;
        }
    }
    return true;
}
static_assert(eachExportFormatHasOneRow());

bool offeredTogether(const ContactFormat& row) {
    return row.role == FormatRole::Exchange && !row.dialogFilter.empty() && row.desktopOpens();
}

}  // namespace

std::span<const ContactFormat> contactFormats() {
    return kContactFormats;
}

const ContactFormat& exportRow(ExportFormat format) {
    for (const ContactFormat& row : kContactFormats) {
        if (row.exportFormat == format) {
            return row;
        }
    }
    std::abort();  // not reached: every export format has its row
}

const ContactFormat* formatOfEnding(std::string_view ending) {
    const std::string lower = toLower(ending);
    for (const ContactFormat& row : kContactFormats) {
        for (std::string_view e : row.endings) {
            if (e == lower) {
                return &row;
            }
        }
    }
    return nullptr;
}

std::unique_ptr<ContactReader> openContactReader(std::string_view fileBytes,
                                                 const FieldLimits& limits) {
    std::string text = textFileToUtf8(fileBytes);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        throwError(kInputPastEnd, "Input past end of file");
    }
    const ContactFormat* fallback = nullptr;
    for (const ContactFormat& row : kContactFormats) {
        if (row.recognition == Recognition::Content && row.recognises(text)) {
            return row.openReader(std::move(text), limits);
        }
        if (row.recognition == Recognition::Fallback) {
            fallback = &row;
        }
    }
    return fallback->openReader(std::move(text), limits);
}

std::string importDialogFilter() {
    std::vector<std::string> names;
    std::string patterns;
    for (const ContactFormat& row : kContactFormats) {
        if (offeredTogether(row)) {
            names.emplace_back(row.name);
            for (std::string_view ending : row.endings) {
                patterns += (patterns.empty() ? "*." : " *.") + std::string(ending);
            }
        }
    }
    std::string filter = spokenList(names) + " Files (" + patterns + ")";
    for (const bool together : {true, false}) {
        for (const ContactFormat& row : kContactFormats) {
            if (!row.dialogFilter.empty() && offeredTogether(row) == together) {
                filter += ";;" + std::string(row.dialogFilter);
            }
        }
    }
    return filter + ";;All Files (*)";
}

std::string desktopMimeTypes() {
    std::string types;
    for (const ContactFormat& row : kContactFormats) {
        for (std::string_view type : row.mimeTypes) {
            types += std::string(type) + ";";
        }
    }
    return types;
}

}  // namespace qm
