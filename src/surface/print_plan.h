#pragma once

// A print job as data, made by one core function per job: the paper it sets, the stock its
// labels lie on, the fonts it prints in, the parameter-file section that moves it, and how
// it draws one copy. The windows run a plan through one helper (preview or print dialog) and
// the command line through one function per kind of output; both end in drawPlan.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/notice.h"
#include "records/parameter_file.h"
#include "surface/printer_surface.h"

namespace qm {

struct LabelStock;  // a row of the stock table (printing/label_stock.h)

struct PrintFont {
    std::string name = kPrintFont;
    double size = 10.0;
    bool bold = false;
    bool italic = false;
    bool operator==(const PrintFont&) const = default;
};

// How the copies the user asks for are made.
enum class CopyMode {
    Documents,  // each copy a document of its own: on a printer, a job of its own
    Pages,      // each copy its pages, all in one document
    Once,       // one copy, however many are asked for
};

struct PrintPlan {
    PrintSetup paper;                   // paper kPaperOfPrinter: the printer's own
    const LabelStock* stock = nullptr;  // what the labels lie on; none for an envelope or a page
    std::vector<PaperRect> backdrop;    // shown faintly behind the text on screen, never printed
    std::vector<PrintFont> fonts;       // every font it prints in; each copy starts in the first
    std::string_view adjustment;        // the parameter-file section that moves it; empty: none
    CopyMode copies = CopyMode::Documents;
    int pageCount = 0;                        // offered by the print dialog; 0: unknown
    Notice problem = printerProblemNotice();  // what any failure while printing says
    // One copy from the top of its first page, moved by the adjustment, without ending its
    // document.
    std::function<void(PrinterSurface& surface, Adjustment adjust)> draw;
    // Printed instead when the user chooses to print the selection; none: no selection is
    // offered.
    std::shared_ptr<const PrintPlan> selection;
};

// What a job does when its first copy could not be printed as asked (lines cut short, letters
// no installed face has): asked once that copy is laid out and before any of its pages
// leaves (on a printer a document goes at its end, into a file at the job's end); false
// abandons the job.
using ShortfallWarning = std::function<bool(const PrintShortfall& shortfall)>;

// Every copy of the plan, or of its selection, each starting in the plan's first font on its
// paper and ended as its copy mode says; then the end of the job. What the first copy fell
// short in is put to `warn` first, which may abandon the job (KillDoc): false. Throws what
// the surface or the drawing throws.
bool drawPlan(PrinterSurface& surface, const PrintPlan& plan, Adjustment adjust, int copies,
              bool selection = false, const ShortfallWarning& warn = {});

// The labels named for a message: "label 4", "labels 4-9" for consecutive ones, "label 37
// (Ann Lee)" with a name, "the envelope" for what has no number; joined by ", ".
std::string cutLabelsText(const std::vector<CutLabel>& labels);

// The Debian package whose fonts have a letter: the CJK fonts for Chinese, Japanese and
// Korean, the emoji font for emoji, Noto's core set for any other script.
std::string_view fontPackageFor(char32_t letter);
// Letters no installed face has, grouped by the package to install, in UTF-8:
// "中文 (fonts-noto-cjk), ก (fonts-noto-core)".
std::string missingLettersText(std::u32string_view letters);

}  // namespace qm
