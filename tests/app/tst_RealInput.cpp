#include "../support/WindowTest.h"

#include "app/QtPlatform.h"
#include "app/frmChose.h"
#include "look/UiText.h"
#include "testrun/frmMain.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>

namespace {
// Real input through the X server's test extension, as the examinee's keyboard and mouse give it.
bool X(const QStringList &args, const QString &program = "xdotool")
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8"); // it reads the text it types in the locale's encoding
    tool.setProcessEnvironment(environment);
    tool.start(program, args);
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
    int keyReleases = 0;

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
            const int key = static_cast<QKeyEvent *>(event)->key();
            keyReleases += key < Qt::Key_Shift || key > Qt::Key_Alt ? 1 : 0; // not Shift, Control, Meta, Alt
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

// Sends keys and waits until the program has seen them all go.
bool Keys(const Delivered &delivered, const QStringList &keys)
{
    const int before = delivered.keyReleases;
    return X(QStringList{"key"} + keys) &&
           Until([&] { return delivered.keyReleases == before + keys.size(); });
}
} // namespace

// The examinee's own keyboard through a real X server and window manager: key repeats and typed text
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

    // Space chooses the focused answer, marker or text; keys 1 to 4 choose a) to d); an unused slot
    // cannot be chosen.
    void keyboardChoosesAnswers()
    {
        Delivered delivered;
        auto questions = TestFiles::Numbered(2);
        questions[1].answers[3] = "NONE";
        frmMain *main = Active(questions);
        QVERIFY(main);
        QString ticks;
        Child(main, "txtC")->setFocus();
        for (const QStringList &keys : {QStringList{"space"}, {"2"}, {"Tab", "space"}}) {
            QVERIFY(Keys(delivered, keys));
            ticks += Ticked(main);
        }
        QCOMPARE(QApplication::focusWidget(), Child(main, "Opt4"));
        QVERIFY(Keys(delivered, {"Return", "1", "4"}));
        QCOMPARE(Text(main, "Label5") + " " + ticks + Ticked(main), QString("2 3241"));
    }

    // Only what the result file can hold is taken into the name, typed or pasted.
    void theNameTakesOnlyWhatTheResultFileHolds()
    {
        Delivered delivered;
        TestFiles::WriteLines(InFolder("Tests/a.bse"), TestFiles::Base("Т", TestFiles::Numbered(1)));
        Start();
        auto *chose = Shown<frmChose>();
        QVERIFY(chose && QTest::qWaitForWindowActive(chose));
        auto *name = Child<QLineEdit>(chose, "Text1");
        // Keys for the letters, on spare key codes, kept there: a mapping made only for the moment of the
        // press may be gone by the time the program reads it.
        for (const char *letter : {"U5F20", "U1F600", "eacute", "EuroSign"})
            QVERIFY(X({"-e", QString("keycode any = ") + letter}, "xmodmap"));
        QVERIFY(X({"type", "Li张😀é€"}));
        QVERIFY2(Until([&] { return name->text().endsWith("€"); }, 5000), qPrintable(name->text()));
        QGuiApplication::clipboard()->setText("张😀éЖ");
        QVERIFY(Keys(delivered, {"ctrl+v"}));
        QCOMPARE(name->text(), QString("Li€Ж"));
        QVERIFY(Keys(delivered, {"Return"}));
        QTRY_VERIFY(Shown<frmMain>());
        QCOMPARE(FromCp1251(m_state.UserName), QString("Li€Ж"));
    }
};

QTEST_MAIN(tst_RealInput)
#include "tst_RealInput.moc"
