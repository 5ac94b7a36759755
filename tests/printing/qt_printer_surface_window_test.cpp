#include <QtTest>

#include "platform/qt_printer_surface.h"
#include "support/pdf_text_qt.h"
#include "support/temp_folder.h"

using namespace qm;

class QtPrinterSurfaceTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void probe() {
        test::TempFolder folder;
        const QString path = QString::fromStdString(folder.file("p.pdf"));
        {
            auto s = makePdfSurface(path);
            s->setFont("Courier New");
            s->setFontSize(10);
            s->print({PrintItem::Text("AAAA")});
            s->print({PrintItem::Tab(11), PrintItem::Text("BBBB")});
            s->print({PrintItem::Tab(51), PrintItem::Text("gyp"), PrintItem::Tab(61),
                      PrintItem::Text("X")});
            s->setFont("Trebuchet MS");
            s->print({PrintItem::Text("Hello"), PrintItem::Tab(20), PrintItem::Text("World")});
            s->endDoc();
        }
        const auto t = test::readPdfText(path);
        for (const auto& w : t.words) {
            qDebug() << w.page << w.xMin << w.yMin << w.xMax << w.yMax << w.text;
        }
        qDebug() << test::pdfPageCount(path) << t.pages[0].width << t.pages[0].height;
    }
};

QTEST_MAIN(QtPrinterSurfaceTest)
#include "qt_printer_surface_window_test.moc"
