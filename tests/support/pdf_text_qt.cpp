#include "support/pdf_text_qt.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>

#include "platform/qt_text.h"
#include "records/error.h"

namespace qm::test {

namespace {

constexpr int kToolFailed = 1001;

QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        throw QmError(kToolFailed, toCore(program + QLatin1Char(' ') + arguments.join(' ') +
                                          QStringLiteral(" failed: ") +
                                          QString::fromLocal8Bit(process.readAllStandardError())));
    }
    return process.readAllStandardOutput();
}

double number(const QXmlStreamAttributes& attributes, const char* name) {
    return attributes.value(QLatin1String(name)).toDouble();
}

}  // namespace

std::vector<PdfWord> PdfText::wordsOnPage(int page) const {
    std::vector<PdfWord> out;
    std::copy_if(words.begin(), words.end(), std::back_inserter(out),
                 [page](const PdfWord& w) { return w.page == page; });
    return out;
}

std::vector<PdfWord> PdfText::find(const QString& text) const {
    std::vector<PdfWord> out;
    std::copy_if(words.begin(), words.end(), std::back_inserter(out),
                 [&text](const PdfWord& w) { return w.text == text; });
    return out;
}

PdfText readPdfText(const QString& pdfPath) {
    const QByteArray xhtml = runTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    PdfText result;
    QXmlStreamReader xml(xhtml);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            result.pages.push_back(PdfPageSize{number(a, "width"), number(a, "height")});
        } else if (xml.name() == QLatin1String("word")) {
            PdfWord word{static_cast<int>(result.pages.size()),
                         number(a, "xMin"),
                         number(a, "yMin"),
                         number(a, "xMax"),
                         number(a, "yMax"),
                         {}};
            word.text = xml.readElementText();
            result.words.push_back(word);
        }
    }
    if (xml.hasError()) {
        throw QmError(kToolFailed, "unreadable pdftotext output: " + toCore(xml.errorString()));
    }
    return result;
}

int pdfPageCount(const QString& pdfPath) {
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdfPath}));
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    if (!match.hasMatch()) {
        throw QmError(kToolFailed, "pdfinfo reports no page count for " + toCore(pdfPath));
    }
    return match.captured(1).toInt();
}

}  // namespace qm::test
