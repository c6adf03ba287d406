#include "../support/WindowTest.h"

#include "about/frmAbout.h"
#include "winutil/Forms.h"

#include <QLabel>

class tst_frmAbout : public WindowTest
{
    Q_OBJECT

private:
    QPointer<frmAbout> m_about; // one window for every opening, as the results window keeps it

    // Opens the window, made on first use, with the text file beside the program or without it.
    frmAbout *Open(bool withText = true)
    {
        if (withText)
            TestFiles::WriteLines(InFolder("AboutTest.txt"), {"Программа тестирования", "", "Версия 1.0"});
        else
            QFile::remove(InFolder("AboutTest.txt"));
        m_about = m_about ? m_about.data() : new frmAbout(m_platform);
        m_about->close();
        Forms::ShowShaped(m_about);
        return m_about;
    }
    QLabel *Logo() const { return Child<QLabel>(m_about, "Label1"); }
    // Which of the five blues, light to navy, the logo shows: 1 to 5, or 0 for another colour.
    int Step() const
    {
        static const QList<QColor> blues = {QColor(192, 192, 255), QColor(128, 128, 255), QColor(0, 0, 255),
                                            QColor(0, 0, 192), QColor(0, 0, 128)};
        Logo()->ensurePolished();
        return static_cast<int>(blues.indexOf(Logo()->palette().color(QPalette::WindowText))) + 1;
    }
    int Tick()
    {
        m_about->Timer1_Timer();
        return Step();
    }
    void ClickLogo() { Drag(Logo(), {0, 0}); }

private slots:
    // Without the text the logo keeps its design colour, the fourth blue, until the first tick. The found
    // text starts the cycle at once, and each tick darkens the logo, navy followed by light blue again.
    // Reopening carries on where it stopped; a pause is lifted by a reopening that finds the text only.
    void textAndColourCycleAcrossOpenings()
    {
        Open(false);
        QCOMPARE(Text(m_about, "Text1"), QString());
        QString steps = QString::number(Step());
        steps += QString::number(Tick());
        Open();
        QCOMPARE(Text(m_about, "Text1"), QString("Программа тестирования\n\nВерсия 1.0\n"));
        steps += QString::number(Step());
        for (int tick = 1; tick <= 4; ++tick)
            steps += QString::number(Tick());
        Open();
        steps += QString::number(Step());
        ClickLogo();
        Open();
        steps += QString::number(Step());
        ClickLogo();
        Open(false);
        steps += QString::number(Tick());
        ClickLogo();
        steps += QString::number(Tick());
        QCOMPARE(steps, QString("41234512334"));

        // A text that cannot be read, here a folder of that name, leaves the box empty without a word.
        QVERIFY(QDir().mkpath(InFolder("AboutTest.txt")));
        Open(false);
        QCOMPARE(Text(m_about, "Text1"), QString());
        QVERIFY(m_platform.boxes.isEmpty() && m_platform.endings == 0);
    }

    void clickOnTheLogoPausesAndResumes()
    {
        Open();
        QCOMPARE(Tick(), 2);
        ClickLogo();
        QCOMPARE(Tick(), 2);
        Drag(Logo(), {1, 2}); // a slip of the hand is still a click
        QCOMPARE(Tick(), 3);
        Drag(Logo(), {0, 0}, {}, Qt::RightButton); // only the left button clicks
        QCOMPARE(Tick(), 4);

        // Dragging the logo moves the window and leaves the cycle running.
        const QPoint before = m_about->pos();
        Drag(Logo(), {50, -30});
        QCOMPARE(m_about->pos(), before + QPoint(50, -30));
        QCOMPARE(Tick(), 5);

        // A double click pauses once, as a click does.
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool held = type != QEvent::MouseButtonRelease;
            SendMouse(Logo(), type, {5, 5}, Qt::LeftButton, held ? Qt::LeftButton : Qt::NoButton);
        }
        QCOMPARE(Tick(), 5);
    }

    void aPressHeldWhileTheWindowClosesEndsWithIt()
    {
        Open();
        SendMouse(Logo(), QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
        Open(); // closed and shown again without the release: the next press starts afresh
        const QPoint before = m_about->pos();
        Drag(m_about, {20, 0}, {3, 100}, Qt::RightButton);
        QCOMPARE(m_about->pos(), before + QPoint(20, 0));
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
