#pragma once

// Reads a PDF back for print tests: where each word landed (pdftotext -bbox) and how many
// pages the file has (pdfinfo), both from poppler-utils. Failures throw qm::QmError.

#include <QString>
#include <vector>

namespace qm::test {

// A word as pdftotext finds it, in points from the top-left corner of its page.
struct PdfWord {
    int page = 1;  // from 1
    double xMin = 0.0;
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
    QString text;
};

struct PdfPageSize {
    double width = 0.0;
    double height = 0.0;
};

struct PdfText {
    std::vector<PdfPageSize> pages;
    std::vector<PdfWord> words;  // in reading order, page by page

    std::vector<PdfWord> wordsOnPage(int page) const;
    // Words whose text is exactly text, on any page.
    std::vector<PdfWord> find(const QString& text) const;
};

PdfText readPdfText(const QString& pdfPath);
int pdfPageCount(const QString& pdfPath);

}  // namespace qm::test
