#pragma once

// The print target of every layout. Layouts place text by character columns and counted
// lines only; a backing decides what a column and a line measure on its medium.

#include <string>
#include <vector>

#include "records/notice.h"

namespace qm {

// One item of a Print call: text, Tab(n) or Spc(n).
struct PrintItem {
    enum class Kind { Text, Tab, Spc };
    Kind kind = Kind::Text;
    std::string text;
    int n = 0;

    static PrintItem Text(std::string t) { return {Kind::Text, std::move(t), 0}; }
    static PrintItem Tab(int column) { return {Kind::Tab, {}, column}; }
    static PrintItem Spc(int count) { return {Kind::Spc, {}, count}; }
};

inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;
inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperEnvelope10 = 20;

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
};

}  // namespace qm
