#include "ScriptedPlatform.h"
#include "TestFiles.h"

#include "testbase/TestState.h"
#include "testrun/frmMain.h"
#include "look/UiText.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The question window's minimum size as a window manager enforces it: needs X11 and a window manager, so
// it skips under the offscreen platform and runs from scripts/x11-tests.sh.
class tst_MinimumSize : public QObject
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

    void draggingStopsAtTheMinimumAndClosingRemovesIt()
    {
        QTemporaryDir dir;
        TestFiles::WriteLines(dir.filePath("base.bse"), TestFiles::Base("Размер", TestFiles::Numbered(2)));
        ScriptedPlatform platform;
        platform.appPath = dir.path();
        TestState state;
        state.BaseFile = ToPathString(dir.filePath("base.bse"));
        frmMain::Open(state, platform);
        auto *window = qobject_cast<frmMain *>(QApplication::topLevelWidgets().value(0));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));

        // From outside, as the user's drag would: the window manager must refuse to go smaller.
        const QString id = QString::number(window->winId());
        QProcess::execute("xdotool", {"windowsize", "--sync", id, "900", "700"});
        QTRY_VERIFY(window->width() > 641);
        QProcess::execute("xdotool", {"windowsize", id, "300", "200"});
        QTRY_COMPARE(window->frameGeometry().size(), QSize(641, 489));

        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());

        window->close();
        QCOMPARE(window->minimumSize(), QSize(0, 0));
    }
};

QTEST_MAIN(tst_MinimumSize)
#include "tst_MinimumSize.moc"
