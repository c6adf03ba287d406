#include "../support/WindowTest.h"

#include "app/QtPlatform.h"
#include "testrun/frmMain.h"

#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>

namespace {
// Real input through the X server's test extension, as the examinee's keyboard and mouse give it.
bool X(const QStringList &args)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8"); // it reads the text it types in the locale's encoding
    tool.setProcessEnvironment(environment);
    tool.start("xdotool", args);
    return tool.waitForFinished() && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// What the X server delivers to the program's windows, seen before the program's own filters see it.
class Delivered final : public QObject
{
public:
    Delivered() { qApp->installEventFilter(this); }

    int heldKey = Qt::Key_Return;            // the key whose presses are counted
    QHash<const QObject *, int> heldPresses; // by window
    bool heldDown = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWindowType())
            return false;
        const bool held = (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
                          static_cast<QKeyEvent *>(event)->key() == heldKey;
        if (event->type() == QEvent::KeyPress && held) {
            ++heldPresses[watched];
            heldDown = true;
        } else if (event->type() == QEvent::KeyRelease) {
            heldDown = heldDown && !held;
        }
        return false;
    }
};

// Waits in an event loop of its own, as the program waits for the examinee, so that each event is handled
// as it arrives. (QTest's waits sleep between rounds and so see a repeat's release and press together.)
bool Until(const std::function<bool()> &condition, int ms = 20000)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    check.start(5);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (!condition())
        loop.exec();
    return condition();
}

// Holds a key down until `until` holds, then lets it go; true once the program has seen it go.
bool Hold(const Delivered &delivered, const std::function<bool()> &until, const QString &key = "Return")
{
    const bool held = X({"keydown", key}) && Until(until, 20000);
    return X({"keyup", key}) && held && Until([&] { return !delivered.heldDown; });
}

} // namespace

// The examinee's own keyboard through a real X server and window manager: key repeats
// arrive as the platform makes them. Skips elsewhere; runs from scripts/x11-tests.sh.
class tst_RealInput : public WindowTest
{
    Q_OBJECT

private:
    frmMain *Active(const QList<TestFiles::Question> &questions)
    {
        frmMain *main = StartOn(TestFiles::Base("Т", questions));
        if (main)
            main->activateWindow();
        return main && QTest::qWaitForWindowActive(main) ? main : nullptr;
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server and xdotool");
    }

    // Space held on the focused arrow button submits once too.
    void heldSpaceOnTheArrowSubmitsOneQuestion()
    {
        Delivered delivered;
        delivered.heldKey = Qt::Key_Space;
        frmMain *main = Active(TestFiles::Numbered(40));
        QVERIFY(main);
        Child(main, "cmdNext")->setFocus();
        QVERIFY(Hold(
            delivered, [&] { return delivered.heldPresses[main->windowHandle()] > 15; }, "space"));
        QCOMPARE(Text(main, "Label5"), QString("2"));
    }

    // Enter on the exit button asks; held on, it does not answer: the box waits for the next press.
    void enterHeldIntoTheAbandonBoxDoesNotAnswerIt()
    {
        Delivered delivered;
        frmMain *main = Active(TestFiles::Numbered(5));
        QVERIFY(main);
        Child(main, "cmdCancel")->setFocus();
        m_platform.realBoxes = std::make_shared<QtPlatform>(std::filesystem::path(), QString());
        bool openAfterHold = false;
        m_platform.whileShown = [&] {
            QPointer<QWidget> box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            const auto closeLeftOpen = qScopeGuard([&] {
                if (box)
                    box->close();
            });
            const bool repeated =
                box && Until([&] { return delivered.heldPresses[box->windowHandle()] > 10; }, 20000);
            const bool up = X({"keyup", "Return"}) && Until([&] { return !delivered.heldDown; });
            QVERIFY(repeated && up);
            openAfterHold = box->isVisible();
            QVERIFY(X({"key", "Return"})); // Yes, the default
            QTRY_VERIFY(!box || !box->isVisible());
        };
        QVERIFY(X({"keydown", "Return"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_platform.endings, 1, 30000);
        QVERIFY(openAfterHold);
        QCOMPARE(m_platform.boxes.size(), 1);
    }
};

QTEST_MAIN(tst_RealInput)
#include "tst_RealInput.moc"
