// Build tool: turns a Markdown text into a letter-size PDF, so the documents the program
// ships are made from sources kept as text.
//   make_pdf INPUT.md OUTPUT.pdf "Title"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>

namespace {

// Markdown tables come out cramped; give their cells room and a single rule.
void openUpTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setCellPadding(4);
            format.setCellSpacing(0);
            format.setBorder(0.5);
            format.setBorderCollapse(true);
            table->setFormat(format);
        }
        openUpTables(child);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_pdf INPUT.md OUTPUT.pdf TITLE\n");
        return 2;
    }
    // No display is needed to lay out text.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    openUpTables(document.rootFrame());

    const QString output = QString::fromLocal8Bit(argv[2]);
    {
        QPdfWriter writer(output);
        writer.setTitle(QString::fromLocal8Bit(argv[3]));
        writer.setCreator(QStringLiteral("Quillmark"));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        document.print(&writer);
    }
    if (QFile(output).size() == 0) {
        std::fprintf(stderr, "make_pdf: nothing written to %s\n", argv[2]);
        return 1;
    }
    return 0;
}
