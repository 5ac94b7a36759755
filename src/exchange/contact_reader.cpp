#include "exchange/contact_reader.h"

#include "exchange/csv_contact_reader.h"
#include "exchange/vcard_reader.h"
#include "records/code_page.h"
#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

namespace {

constexpr int kInputPastEnd = 62;

}  // namespace

std::unique_ptr<ContactReader> openContactReader(std::string_view fileBytes) {
    std::string text = textFileToUtf8(fileBytes);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        throwError(kInputPastEnd, "Input past end of file");
    }
    if (looksLikeVCard(text)) {
        return std::make_unique<VCardReader>(std::move(text));
    }
    return CsvContactReader::open(std::move(text));
}

}  // namespace qm
