#include "exchange/carddav_sync_state.h"

#include <charconv>

#include "exchange/carddav_errors.h"
#include "records/file_ops.h"

namespace qm {

namespace {

constexpr std::string_view kHeader = "quillmark carddav sync 1";

void appendEscaped(std::string& out, std::string_view value) {
    for (const char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
}

// False on a backslash that starts no known escape.
bool unescape(std::string_view value, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) {
            return false;
        }
        switch (value[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            default:
                return false;
        }
    }
    return true;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

template <typename Number>
bool parseNumber(std::string_view text, Number& out, int base = 10) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Reads one line into the state; false when it is not a valid line.
bool parseLine(std::string_view line, CarddavSyncState& state) {
    const std::vector<std::string_view> f = splitTabs(line);
    if (f[0] == "url" && f.size() == 2) {
        return unescape(f[1], state.addressBookUrl);
    }
    if (f[0] == "token" && f.size() == 2) {
        return unescape(f[1], state.syncToken);
    }
    if (f[0] != "card" || f.size() != 5) {
        return false;
    }
    SyncedCard card;
    if (!parseNumber(f[1], card.record) || card.record < 0 ||
        !parseNumber(f[2], card.fingerprint, 16) || !unescape(f[3], card.href) ||
        card.href.empty() || !unescape(f[4], card.etag)) {
        return false;
    }
    state.cards.push_back(std::move(card));
    return true;
}

}  // namespace

std::string syncStatePath(const std::string& contactFilePath) {
    return contactFilePath + ".carddav";
}

std::string formatSyncState(const CarddavSyncState& state) {
    std::string out(kHeader);
    out += "\nurl\t";
    appendEscaped(out, state.addressBookUrl);
    out += "\ntoken\t";
    appendEscaped(out, state.syncToken);
    out += '\n';
    char hex[17];
    for (const SyncedCard& card : state.cards) {
        const auto end = std::to_chars(hex, hex + sizeof hex, card.fingerprint, 16).ptr;
        out += "card\t" + std::to_string(card.record) + '\t';
        out.append(hex, end);
        out += '\t';
        appendEscaped(out, card.href);
        out += '\t';
        appendEscaped(out, card.etag);
        out += '\n';
    }
    return out;
}

CarddavSyncState parseSyncState(std::string_view text, const std::string& pathForErrors) {
    CarddavSyncState state;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        ++number;
        const bool ok = number == 1 ? line == kHeader : parseLine(line, state);
        if (!ok) {
            throw carddav_error::syncStateDamaged(pathForErrors, number);
        }
        start = end + 1;
    }
    if (number == 0) {
        throw carddav_error::syncStateDamaged(pathForErrors, 1);
    }
    return state;
}

CarddavSyncState readSyncState(const std::string& path) {
    if (!systemFileOps().exists(path)) {
        return {};
    }
    return parseSyncState(readWholeFile(path), path);
}

void writeSyncState(const std::string& path, const CarddavSyncState& state,
                    std::optional<unsigned> permissions) {
    writeFileAtomically(path, formatSyncState(state), systemFileOps(), permissions);
}

namespace {

constexpr std::uint64_t kFingerprintPrime = 1099511628211ull;

std::uint64_t hashed(std::uint64_t hash, std::string_view text) {
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * kFingerprintPrime;
    }
    return hash;
}

}  // namespace

std::uint64_t recordFingerprint(const RecordBytes& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = i == field::kReminder.offset ? '0' : bytes[i];
        hash = (hash ^ static_cast<unsigned char>(c)) * kFingerprintPrime;
    }
    return hash;
}

std::uint64_t recordFingerprint(const ContactRecord& record) {
    const RecordBytes bytes = encodeRecord(record);
    const std::uint64_t hash = recordFingerprint(bytes);
    // A record the contact file holds as it is keeps the fingerprint its sync files have. A
    // contact book holds what the file would cut or fold, and an edit there must count too.
    ContactRecord held = decodeRecord(std::string_view(bytes.data(), bytes.size()));
    held.reminder = record.reminder;
    held.card = record.card;
    if (held == record) {
        return hash;
    }
    std::uint64_t whole = hash;
    for (const FieldLayout& stored : field::kAll) {
        if (stored.member != &ContactRecord::reminder) {
            whole = hashed(hashed(whole, record.*stored.member), std::string_view("\x1f", 1));
        }
    }
    return whole;
}

}  // namespace qm
