#pragma once

// Where each letter of printed text is drawn from: the print face when it has the letter,
// else the face the system's font configuration (fontconfig) picks for it, as Qt's own text
// drawing would. A letter no installed face has is missing: drawn, it is an empty box.

#include <QFont>
#include <QRawFont>
#include <QString>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>

namespace qm {

class LetterFaces {
  public:
    // The faces of one font as it is painted.
    explicit LetterFaces(const QFont& font);

    struct Glyph {
        std::size_t face = 0;  // into face(); 0 is the font's own
        quint32 index = 0;
    };
    // The glyph that draws a letter; none when no installed face has it. Each letter is looked
    // up once.
    std::optional<Glyph> glyphOf(char32_t letter);
    const QRawFont& face(std::size_t i) const { return faces_[i]; }

  private:
    std::optional<Glyph> findGlyph(char32_t letter);

    QFont font_;
    std::deque<QRawFont> faces_;  // a face stays where it is while others are added
    std::unordered_map<char32_t, std::optional<Glyph>> found_;
};

// Whether a text has a letter beyond ASCII, which may need a face of its own.
bool beyondAscii(const QString& text);
// The text with letters and their marks composed where Unicode has one letter for both
// (NFC), so that each takes one column; text of ASCII alone comes back as it is.
QString composedLetters(const QString& text);
// The letters (code points) of a text: a column each in a fixed-pitch font.
qsizetype letterCount(const QString& text);

}  // namespace qm
