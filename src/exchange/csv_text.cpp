#include "exchange/csv_text.h"

#include "records/text_rules.h"

namespace qm {

CsvReader::CsvReader(std::string_view text)
    : text_(text), lineEnd_(text.find('\r') != std::string_view::npos ? '\r' : '\n') {}

bool CsvReader::atLineEnd(std::size_t at) const {
    return at >= text_.size() || text_[at] == lineEnd_;
}

std::size_t CsvReader::skipLineEnd(std::size_t at) const {
    if (at >= text_.size()) {
        return at;
    }
    ++at;
    if (lineEnd_ == '\r' && at < text_.size() && text_[at] == '\n') {
        ++at;
    }
    return at;
}

bool CsvReader::readQuoted(std::string& field) {
    // A quote that is never closed is an ordinary character: one stray quote must not
    // swallow every later line of the file.
    std::size_t at = pos_ + 1;
    std::string value;
    while (true) {
        const std::size_t quote = text_.find('"', at);
        if (quote == std::string_view::npos) {
            return false;
        }
        value.append(text_.substr(at, quote - at));
        if (quote + 1 < text_.size() && text_[quote + 1] == '"') {
            value += '"';
            at = quote + 2;
            continue;
        }
        at = quote + 1;
        break;
    }
    // Text after the closing quote (not allowed, but written by some programs) is kept.
    while (!atLineEnd(at) && text_[at] != ',') {
        value += text_[at++];
    }
    field = std::move(value);
    pos_ = at;
    return true;
}

bool CsvReader::readField(std::string& field, char& quoted) {
    quoted = pos_ < text_.size() && text_[pos_] == '"' && readQuoted(field);
    if (!quoted) {
        const std::size_t start = pos_;
        while (!atLineEnd(pos_) && text_[pos_] != ',') {
            ++pos_;
        }
        field.assign(text_.substr(start, pos_ - start));
    }
    if (atLineEnd(pos_)) {
        return true;
    }
    ++pos_;  // the comma
    return false;
}

bool CsvReader::next(CsvRecord& record) {
    while (pos_ < text_.size()) {
        const std::size_t start = pos_;
        std::size_t count = 0;
        bool lastField = false;
        while (!lastField) {
            if (count == record.fields.size()) {
                record.fields.emplace_back();
            }
            record.quoted.resize(record.fields.size());
            lastField = readField(record.fields[count], record.quoted[count]);
            ++count;
        }
        record.fields.resize(count);
        record.quoted.resize(count);
        record.text = text_.substr(start, pos_ - start);
        pos_ = skipLineEnd(pos_);
        if (!isBlankRecord(record.fields)) {
            return true;
        }
    }
    return false;
}

bool isBlankRecord(const std::vector<std::string>& fields) {
    for (const std::string& f : fields) {
        if (!trim(f).empty()) {
            return false;
        }
    }
    return true;
}

}  // namespace qm
