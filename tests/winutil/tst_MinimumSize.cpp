#include "../support/WindowTest.h"

#include "testrun/frmMain.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The question window's minimum size as a window manager enforces it: needs X11 and a window manager, so
// it skips under the offscreen platform and runs from scripts/x11-tests.sh.
class tst_MinimumSize : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            QStandardPaths::findExecutable("xdotool").isEmpty()) {
            QSKIP("needs X11, a window manager and xdotool");
        }
    }

    void draggingStopsAtTheMinimumRestoringKeepsItAndClosingRemovesIt()
    {
        frmMain *window = StartOn(TestFiles::Base("Размер", TestFiles::Numbered(2)));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));

        // From outside, as the user's drag would: the window manager must refuse to go smaller.
        const QString id = QString::number(window->winId());
        QProcess::execute("xdotool", {"windowsize", "--sync", id, "900", "700"});
        QTRY_VERIFY(window->width() > 641);
        QProcess::execute("xdotool", {"windowsize", id, "300", "200"});
        QTRY_COMPARE(window->frameGeometry().size(), QSize(641, 489));

        // A maximised window has no borders; restored, it must come back as small as it was.
        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        window->showNormal();
        QTRY_VERIFY(!window->isMaximized());
        QTest::qWait(300);
        QTRY_COMPARE(window->frameGeometry().size(), QSize(641, 489));

        window->close();
        QCOMPARE(window->minimumSize(), QSize(0, 0));
    }
};

QTEST_MAIN(tst_MinimumSize)
#include "tst_MinimumSize.moc"
