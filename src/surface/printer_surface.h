#pragma once

// The print target of every layout. Layouts place text by character columns and counted
// lines only; a backing decides what a column and a line measure on its medium.

#include <algorithm>
#include <string>
#include <vector>

#include "records/notice.h"

namespace qm {

// One item of a Print call: text, Tab(n) or Spc(n). Text cut short at its label's edge says
// so, for the preview to mark it. Text set in a smaller size of the current face, to fit its
// room, names the size: it sits on the current line, whose height stays the current font's.
struct PrintItem {
    enum class Kind { Text, Tab, Spc };
    Kind kind = Kind::Text;
    std::string text;  // UTF-8
    int n = 0;
    bool cut = false;
    double size = 0.0;  // points; 0: the current font's size

    static PrintItem Text(std::string t) { return {Kind::Text, std::move(t), 0, false}; }
    static PrintItem CutText(std::string t) { return {Kind::Text, std::move(t), 0, true}; }
    static PrintItem Tab(int column) { return {Kind::Tab, {}, column, false}; }
    static PrintItem Spc(int count) { return {Kind::Spc, {}, count, false}; }
    // Text in a size of its own (0: the current one), perhaps cut.
    static PrintItem SizedText(std::string t, double points, bool cut = false) {
        return {Kind::Text, std::move(t), 0, cut, points};
    }
};

// A label whose lines could not be printed whole: its number in the job (a position on the
// sheet, or the label's place in a list) and, where it helps, whose it is. Number 0 names
// what has no number (an envelope) by its name alone.
struct CutLabel {
    int number = 0;
    std::string name;
    bool operator==(const CutLabel&) const = default;
};

// What a job could not print as asked: labels with lines cut short, and letters that no
// installed face has (they would print as empty boxes).
struct PrintShortfall {
    std::vector<CutLabel> cutLabels;
    std::u32string missingLetters;
    bool empty() const { return cutLabels.empty() && missingLetters.empty(); }
};

// A rectangle of the paper, in points from the paper's top-left corner.
struct PaperRect {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const PaperRect&) const = default;
};

inline constexpr double kTwipsPerPoint = 20.0;

// The fixed-pitch font every layout counts its columns in.
inline constexpr const char* kPrintFont = "Courier New";

// Where a block of lines starts, in character cells: its start column and the empty lines
// above it (a label's slot on its sheet, an envelope's address).
struct TextSlot {
    int startColumn = 0;
    int topLines = 0;
    bool operator==(const TextSlot&) const = default;
};
// Where the typed lines go before a label position or an envelope size is chosen: the
// first label of the 30-up sheet.
inline constexpr TextSlot kDefaultSlot{2, 3};

inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;
// PaperSize codes: the common ones keep their usual numbers, the envelope sizes that have
// none take numbers of their own.
// No paper set: the printer's own.
inline constexpr int kPaperOfPrinter = 0;
inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperEnvelope10 = 20;
inline constexpr int kPaperEnvelope634 = 38;
inline constexpr int kPaperEnvelopeA2 = 301;
inline constexpr int kPaperEnvelopeA7 = 302;
inline constexpr int kPaperEnvelopeA8 = 303;
inline constexpr int kPaperEnvelopeA10 = 304;

// The paper and orientation a job prints on, known before it prints (the print dialog
// opens with them).
struct PrintSetup {
    int paper = kPaperLetter;
    int orientation = kPortrait;
    bool operator==(const PrintSetup&) const = default;
};

// "A printer problem exists.  Check printer." under "Printer error": any failure while a
// print command runs.
inline Notice printerProblemNotice() {
    return {"Printer error", "A printer problem exists.  Check printer.", NoticeIcon::Exclamation};
}

class PrinterSurface {
  public:
    virtual ~PrinterSurface() = default;

    virtual void setFont(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool on) = 0;
    virtual void setFontItalic(bool on) = 0;
    virtual void setOrientation(int orientation) = 0;
    virtual void setPaperSize(int paper) = 0;
    // The paper of the next page, in the current orientation, in points.
    virtual double pageWidthPoints() const = 0;
    virtual double pageHeightPoints() const = 0;
    // What the text goes on (label outlines, an envelope's edges), in points of the paper:
    // pages begun from here on show it faintly on screen and in page images, never on paper.
    virtual void setBackdrop(std::vector<PaperRect> outlines) { static_cast<void>(outlines); }
    // A filled rectangle (a rule of a test page) in points of the paper model, that of a PDF
    // file: a printer whose printable area begins elsewhere moves it as it moves the text.
    // Surfaces of text leave it out.
    virtual void drawRule(const PaperRect& rule) { static_cast<void>(rule); }
    // In twips from the top-left corner of the printable area; 0, 0 is the top of the page.
    virtual void setCurrentX(double twips) = 0;
    virtual void setCurrentY(double twips) = 0;
    virtual std::string deviceName() const = 0;
    // Number of the page in progress; it grows by one with every page begun, whether by
    // newPage or by a line that would have begun below the bottom. Lets a layout tell
    // whether the surface has already moved on to a fresh page by itself.
    virtual int pageNumber() const = 0;
    // Lines of the current font that still begin on the page the next line begins on, that
    // one included: a whole page's worth when the next line starts a fresh page.
    virtual int linesLeftOnPage() = 0;

    // Prints the items one after the other, then ends the line. No items: only ends the line.
    virtual void print(const std::vector<PrintItem>& items) = 0;
    void printLine() { print({}); }
    void printEmptyLines(int count) {
        for (int i = 0; i < count; ++i) {
            printLine();
        }
    }
    virtual void newPage() = 0;
    // Ends one copy's document.
    virtual void endDoc() = 0;
    // Abandons the current document.
    virtual void killDoc() = 0;
    // Ends the whole job after its last document: output that is written whole (a file) is
    // complete only once this returned. Throws like EndDoc.
    virtual void endJob() {}

    // What the copy in progress could not print as asked: the labels whose lines a layout
    // had to cut, and the letters no installed face has (a surface that draws letters notes
    // them), each once, in the order noted.
    void noteCutLabel(CutLabel label) {
        if (std::find(shortfall_.cutLabels.begin(), shortfall_.cutLabels.end(), label) ==
            shortfall_.cutLabels.end()) {
            shortfall_.cutLabels.push_back(std::move(label));
        }
    }
    void noteMissingLetter(char32_t letter) {
        if (shortfall_.missingLetters.find(letter) == std::u32string::npos) {
            shortfall_.missingLetters.push_back(letter);
        }
    }
    const PrintShortfall& shortfall() const { return shortfall_; }
    const std::vector<CutLabel>& cutLabels() const { return shortfall_.cutLabels; }
    void forgetShortfall() { shortfall_ = {}; }

  private:
    PrintShortfall shortfall_;
};

}  // namespace qm
