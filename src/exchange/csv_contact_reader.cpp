#include "exchange/csv_contact_reader.h"

namespace qm {

namespace {

// How far into the file the header may stand.
constexpr std::size_t kMostPreambleRecords = 10;

using Member = std::string ContactRecord::*;

constexpr Member kAddress[] = {&ContactRecord::street, &ContactRecord::street2,
                               &ContactRecord::city,   &ContactRecord::state,
                               &ContactRecord::zip,    &ContactRecord::country};

bool isHeader(const CsvRecord& record) {
    return detectLayout(record.text) || NamedColumns(record.fields).namesNameOrEmail();
}

}  // namespace

std::unique_ptr<CsvContactReader> CsvContactReader::open(std::string utf8Text,
                                                         const FieldLimits& limits) {
    CsvReader csv(utf8Text);
    CsvRecord record;
    for (std::size_t i = 0; i < kMostPreambleRecords && csv.next(record); ++i) {
        if (isHeader(record)) {
            return std::unique_ptr<CsvContactReader>(
                new CsvContactReader(std::move(utf8Text), i, limits));
        }
    }
    return nullptr;
}

CsvContactReader::CsvContactReader(std::string text, std::size_t headerSkip,
                                   const FieldLimits& limits)
    : text_(std::move(text)), limits_(limits), csv_(text_), named_({}) {
    for (std::size_t i = 0; i <= headerSkip; ++i) {
        csv_.next(record_);
    }
    header_ = record_.fields;
    named_ = NamedColumns(header_);
    layoutKind_ = detectLayout(record_.text);
    if (layoutKind_) {
        layout_.emplace(*layoutKind_, header_);
        if (!layout_->applies()) {
            layout_.reset();
        }
    }
    // The program's own export has every field; other layouts take only some.
    if (!layout_ || *layoutKind_ == CsvLayout::D) {
        return;
    }
    for (const FieldLayout& f : field::kAll) {
        if (f.member != &ContactRecord::reminder && f.member != &ContactRecord::includeCompany &&
            !layout_->maps(f.member) && named_.feeds(f.member)) {
            completed_.push_back(f.member);
        }
    }
    addressFallback_ =
        layout_->maps(&ContactRecord::street) && named_.feeds(&ContactRecord::street);
}

std::string CsvContactReader::formatName() const {
    return layout_ ? std::string(layoutFormatName(*layoutKind_)) : "CSV file (named columns)";
}

void CsvContactReader::complete(ContactRow& row, const ContactRow& named, bool address) const {
    const auto take = [&](Member m) {
        row.contact.*m = named.contact.*m;
        const std::uint32_t bit = 1u << fieldIndex(m);
        row.foldedFields = (row.foldedFields & ~bit) | (named.foldedFields & bit);
    };
    for (Member m : completed_) {
        take(m);
    }
    // A line whose layout address is empty (an address book's work address alone) keeps
    // the address it has in other columns.
    if (address) {
        for (Member m : kAddress) {
            take(m);
        }
    }
}

std::optional<ContactRow> CsvContactReader::next() {
    while (csv_.next(record_)) {
        if (!layout_) {
            return named_.read(record_.fields, limits_);
        }
        std::optional<ContactRow> row = layout_->read(record_, limits_);
        if (!row) {
            continue;
        }
        const bool address = addressFallback_ && !layout_->givesAddress(record_.fields);
        if (!completed_.empty() || address) {
            complete(*row, named_.read(record_.fields, limits_), address);
        }
        return row;
    }
    return std::nullopt;
}

}  // namespace qm
