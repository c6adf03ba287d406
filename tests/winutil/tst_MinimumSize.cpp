#include "../support/WindowTest.h"

#include "testrun/frmMain.h"
#include "winutil/StopResize.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef _WIN32
#include <windows.h>
#endif

// The question window's minimum size as the windowing system enforces it: on X11 the window manager,
// which needs X11, a window manager and xdotool, so it skips under the offscreen platform and runs from
// scripts/x11-tests.sh; on Windows the system itself, asking the window's procedure.
class tst_MinimumSize : public WindowTest
{
    Q_OBJECT

private slots:
#ifdef _WIN32
    void theSystemStopsAtTheMinimumUntilTheWindowUnloads()
    {
        frmMain *window = StartOn(TestFiles::Base("Размер", TestFiles::Numbered(2)));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto hwnd = reinterpret_cast<HWND>(window->winId());
        // The outer size after the system has weighed a resize against the window's limits.
        const auto resizedTo = [hwnd](int width, int height) {
            SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            RECT outer{};
            GetWindowRect(hwnd, &outer);
            return QSize(outer.right - outer.left, outer.bottom - outer.top);
        };
        const auto maxTrack = [hwnd] {
            MINMAXINFO info{};
            SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
            return QPoint(info.ptMaxTrackSize.x, info.ptMaxTrackSize.y);
        };
        QCOMPARE(resizedTo(300, 200), QSize(641, 489));
        QCOMPARE(resizedTo(700, 500), QSize(700, 500));
        const QPoint limitedMax = maxTrack();

        // What unloading does, while the window still stands (closing then destroys it): the window's
        // own procedure is back and the system lets it shrink.
        StopResize::ClearSizeLimits(window);
        QCOMPARE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), LONG_PTR(GetClassLongPtrW(hwnd, GCLP_WNDPROC)));
        QCOMPARE(resizedTo(300, 200), QSize(300, 200));
        QCOMPARE(maxTrack(), limitedMax); // the largest size was never the limit's
    }
#else
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
#endif
};

QTEST_MAIN(tst_MinimumSize)
#include "tst_MinimumSize.moc"
