#include "../support/WindowTest.h"

#include "testrun/frmMain.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

// Windows on a screen smaller than they were designed for: at twice the size on 1280 x 1024 pixels the
// question window's minimum is wider than the screen. Needs X11 and a window manager, so it is run only by
// scripts/x11-tests.sh.
class tst_ScreenFit : public WindowTest
{
    Q_OBJECT

private:
    QRect Available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs X11, a window manager and xdotool");
        // The design outer width, 641 pixels, must not fit, or this test proves nothing.
        QVERIFY(Available().width() < 641);
    }

    // The whole window with its borders, buttons included, lies on the screen; the hint of a question,
    // however long its words, wraps within the screen's width.
    void questionWindowAndItsHintStayOnTheScreen()
    {
        auto questions = TestFiles::Numbered(1);
        questions[0].help = QString(2000, QChar(0x0448));
        frmMain *main = StartOn(TestFiles::Base("Т", questions));
        QVERIFY(main && QTest::qWaitForWindowExposed(main));
        QTRY_VERIFY2(Available().contains(main->frameGeometry()),
                     qPrintable(QStringLiteral("%1 x %2 on %3 x %4")
                                    .arg(main->frameGeometry().width())
                                    .arg(main->frameGeometry().height())
                                    .arg(Available().width())
                                    .arg(Available().height())));

        // The pointer rests on the hint icon, as the examinee's would.
        const QWidget *icon = Child(main, "Image3");
        const QPoint at = icon->mapToGlobal(icon->rect().center()) * icon->devicePixelRatioF();
        QProcess::execute("xdotool",
                          {"mousemove", "--sync", QString::number(at.x() - 3), QString::number(at.y())});
        QProcess::execute("xdotool",
                          {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
        const auto tip = [] {
            const auto windows = QApplication::topLevelWidgets();
            for (QWidget *w : windows) {
                if (w->inherits("QTipLabel") && w->isVisible())
                    return w;
            }
            return static_cast<QWidget *>(nullptr);
        };
        QTRY_VERIFY(tip());
        QVERIFY2(tip()->geometry().left() >= Available().left() &&
                     tip()->geometry().right() <= Available().right(),
                 qPrintable(QStringLiteral("hint %1 wide at %2").arg(tip()->width()).arg(tip()->x())));
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_ScreenFit test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ScreenFit.moc"
