#include "platform/letter_faces.h"

#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>

namespace qm {

namespace {

QString letterText(char32_t letter) {
    return QString::fromUcs4(&letter, 1);
}

}  // namespace

LetterFaces::LetterFaces(const QFont& font) : font_(font) {
    faces_.push_back(QRawFont::fromFont(font));
}

std::optional<LetterFaces::Glyph> LetterFaces::glyphOf(char32_t letter) {
    const auto known = found_.find(letter);
    if (known != found_.end()) {
        return known->second;
    }
    return found_.emplace(letter, findGlyph(letter)).first->second;
}

std::optional<LetterFaces::Glyph> LetterFaces::findGlyph(char32_t letter) {
    const QString text = letterText(letter);
    if (faces_.front().supportsCharacter(letter)) {
        const QList<quint32> own = faces_.front().glyphIndexesForString(text);
        if (own.size() == 1 && own.front() != 0) {
            return Glyph{0, own.front()};
        }
    }
    // Laid out as Qt lays out any text: the font's fallback faces come from fontconfig.
    QTextLayout layout(text, font_);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        if (indexes.size() != 1 || indexes.front() == 0) {
            continue;
        }
        const QRawFont face = run.rawFont();
        const auto same = std::find(faces_.begin(), faces_.end(), face);
        const auto at = static_cast<std::size_t>(same - faces_.begin());
        if (same == faces_.end()) {
            faces_.push_back(face);
        }
        return Glyph{at, indexes.front()};
    }
    return std::nullopt;
}

bool beyondAscii(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x7F; });
}

QString composedLetters(const QString& text) {
    // Below U+0300 no letter takes a mark that composes with it.
    const bool marks =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x300; });
    return marks ? text.normalized(QString::NormalizationForm_C) : text;
}

qsizetype letterCount(const QString& text) {
    return text.size() -
           std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLowSurrogate(); });
}

}  // namespace qm
