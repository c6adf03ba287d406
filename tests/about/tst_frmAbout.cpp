#include "../winutil/ScriptedPlatform.h"
#include "../winutil/TestFiles.h"

#include "about/frmAbout.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
const QList<QColor> Steps = {QColor(192, 192, 255), QColor(128, 128, 255), QColor(0, 0, 255),
                             QColor(0, 0, 192), QColor(0, 0, 128)};

void SendMouse(QWidget *to, QEvent::Type type, QPoint at, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, at, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

// Presses a button on a control (at its middle unless told), drags the pointer by a distance and lets go.
void Drag(QWidget *control, QPoint by, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton)
{
    if (at.isNull()) {
        at = control->rect().center();
    }
    const QPoint global = control->mapToGlobal(at);
    SendMouse(control, QEvent::MouseButtonPress, at, global, button, button);
    SendMouse(control, QEvent::MouseMove, at + by, global + by, Qt::NoButton, button);
    SendMouse(control, QEvent::MouseButtonRelease, at + by, global + by, button, Qt::NoButton);
}
} // namespace

class tst_frmAbout : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    std::unique_ptr<frmAbout> m_about;

    QString TextFile() const { return m_dir.path() + "/AboutTest.txt"; }
    QLabel *Logo() const { return m_about->findChild<QLabel *>("Label1"); }
    QColor LogoColour() const
    {
        Logo()->ensurePolished();
        return Logo()->palette().color(QPalette::WindowText);
    }
    QString Text() const { return m_about->findChild<QPlainTextEdit *>("Text1")->toPlainText(); }
    void Reopen()
    {
        m_about->close();
        m_about->show();
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_platform = ScriptedPlatform();
        m_platform.appPath = m_dir.path();
        m_about = std::make_unique<frmAbout>(m_platform);
    }

    void cleanup() { m_about.reset(); }

    void textIsShownWithItsLineBreaks()
    {
        TestFiles::Write(TextFile(), TestFiles::Cp1251({"Программа тестирования", "", "Версия 1.0"}));
        m_about->show();
        QCOMPARE(Text(), QString("Программа тестирования\n\nВерсия 1.0\n"));
        QVERIFY(!m_about->mask().contains(QPoint(0, 0)));
        QVERIFY(m_platform.shown.empty());
    }

    void logoStepsThroughFiveBlues()
    {
        TestFiles::WriteLines(TextFile(), {"О программе"});
        m_about->show();
        // The found text starts the cycle at once; each tick then darkens it, and after navy comes the
        // light blue again.
        QCOMPARE(LogoColour(), Steps[0]);
        for (int tick = 1; tick <= 6; ++tick) {
            m_about->Timer1_Timer();
            QCOMPARE(LogoColour(), Steps[tick % 5]);
        }
        auto *timer = m_about->findChild<QTimer *>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);
        m_about->close();
        QVERIFY(!timer->isActive());
    }

    void clickOnTheLogoPausesAndResumes()
    {
        TestFiles::WriteLines(TextFile(), {"О программе"});
        m_about->show();
        m_about->Timer1_Timer(); // step 2
        Drag(Logo(), QPoint(0, 0));
        m_about->Timer1_Timer();
        m_about->Timer1_Timer();
        QCOMPARE(LogoColour(), Steps[1]);
        // A slip of the hand is still a click.
        Drag(Logo(), QPoint(1, 2));
        m_about->Timer1_Timer();
        QCOMPARE(LogoColour(), Steps[2]);

        // Dragging the logo moves the window and leaves the cycle running.
        const QPoint before = m_about->pos();
        Drag(Logo(), QPoint(50, -30));
        QCOMPARE(m_about->pos(), before + QPoint(50, -30));
        m_about->Timer1_Timer();
        QCOMPARE(LogoColour(), Steps[3]);

        // A double click pauses once, as a click does.
        const QPoint at = Logo()->rect().center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool held = type != QEvent::MouseButtonRelease;
            SendMouse(Logo(), type, at, Logo()->mapToGlobal(at), Qt::LeftButton,
                      held ? Qt::LeftButton : Qt::NoButton);
        }
        m_about->Timer1_Timer();
        QCOMPARE(LogoColour(), Steps[3]);
    }

    void windowClosedUnderAHeldButtonTakesTheNextPress()
    {
        TestFiles::WriteLines(TextFile(), {"О программе"});
        m_about->show();
        const QPoint at = Logo()->rect().center();
        SendMouse(Logo(), QEvent::MouseButtonPress, at, Logo()->mapToGlobal(at), Qt::LeftButton,
                  Qt::LeftButton);
        QTest::keyClick(m_about.get(), Qt::Key_Return);
        QVERIFY(!m_about->isVisible());
        m_about->show();
        const QPoint before = m_about->pos();
        Drag(m_about.get(), QPoint(40, 0), QPoint(3, 100));
        QCOMPARE(m_about->pos(), before + QPoint(40, 0));
    }

    void reopeningContinuesTheCycle()
    {
        TestFiles::WriteLines(TextFile(), {"О программе"});
        m_about->show();
        m_about->Timer1_Timer(); // step 2
        Reopen();                // the found text moves it on at once
        QCOMPARE(LogoColour(), Steps[2]);

        // Paused, then reopened with the text: the pause is lifted.
        Drag(Logo(), QPoint(0, 0));
        Reopen();
        QCOMPARE(LogoColour(), Steps[3]);

        // Paused, then reopened without the text: the pause stays, the box is empty.
        Drag(Logo(), QPoint(0, 0));
        QVERIFY(QFile::remove(TextFile()));
        Reopen();
        QCOMPARE(Text(), QString());
        m_about->Timer1_Timer();
        QCOMPARE(LogoColour(), Steps[3]);
        Drag(Logo(), QPoint(0, 0));
        m_about->Timer1_Timer();
        QCOMPARE(LogoColour(), Steps[4]);
    }

    void missingOrUnreadableTextLeavesTheBoxEmpty_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("missing") << false;
        QTest::newRow("a folder of that name") << true;
    }

    void missingOrUnreadableTextLeavesTheBoxEmpty()
    {
        QFETCH(bool, folder);
        if (folder) {
            QVERIFY(QDir().mkpath(TextFile()));
        }
        m_about->show();
        QCOMPARE(Text(), QString());
        QVERIFY(m_platform.shown.empty());
        QCOMPARE(m_platform.endings, 0);
        // The logo keeps its design colour until the first tick.
        QCOMPARE(LogoColour(), QColor(0, 0, 192));
        m_about->Timer1_Timer();
        QCOMPARE(LogoColour(), Steps[0]);
    }

    void enterClosesAndOnlyBackgroundAndLogoMove()
    {
        m_about->show();
        const QPoint before = m_about->pos();
        Drag(m_about.get(), QPoint(30, 20)); // the middle of the window is in the text box
        Drag(m_about->findChild<QPushButton *>("cmdOK"), QPoint(30, 20));
        QCOMPARE(m_about->pos(), before);
        Drag(m_about.get(), QPoint(20, 0), QPoint(3, 100), Qt::RightButton);
        QCOMPARE(m_about->pos(), before + QPoint(20, 0));

        QTest::keyClick(m_about->findChild<QPlainTextEdit *>("Text1"), Qt::Key_Return);
        QVERIFY(!m_about->isVisible());
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
