// The message boxes the program shows through the Qt platform services.
#include <QTimer>
#include <QtTest>

#include "platform/qt_platform_services.h"

using namespace qm;

class QtMessageBoxTest : public QObject {
    Q_OBJECT

    // Acts on the modal window once it is up.
    static void whenShown(const std::function<void(QWidget*)>& act) {
        QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
    }

  private Q_SLOTS:
    // A title longer than the text is not cut (bold, as window managers draw it, beside the
    // frame's icon and buttons); Enter presses the default button.
    void theBoxFitsItsTitleAndEnterGivesItsDefault() {
        QtPlatformServices platform;
        const std::tuple<MsgButtons, MsgDefault, MsgAnswer> cases[] = {
            {MsgButtons::Ok, MsgDefault::First, MsgAnswer::Ok},
            {MsgButtons::YesNo, MsgDefault::Second, MsgAnswer::No},
            {MsgButtons::SaveDiscardCancel, MsgDefault::First, MsgAnswer::Save},
            {MsgButtons::RetryCancel, MsgDefault::Second, MsgAnswer::Cancel},
        };
        for (const auto& [buttons, defaultButton, onEnter] : cases) {
            int room = 0;
            whenShown([&room](QWidget* box) {
                QFont bold = box->font();
                bold.setBold(true);
                const QFontMetrics metrics(bold);
                room = box->width() - metrics.horizontalAdvance(box->windowTitle()) -
                       4 * metrics.height();
                QTest::keyClick(box, Qt::Key_Return);
            });
            QCOMPARE(platform.messageBox(
                         nullptr, QStringLiteral("Load printer with Avery 5167, 8167, or 18167"),
                         QStringLiteral("OK?"), buttons, MsgIcon::None, defaultButton),
                     onEnter);
            QVERIFY(room >= 0);
        }
    }
};

QTEST_MAIN(QtMessageBoxTest)
#include "qt_message_box_window_test.moc"
