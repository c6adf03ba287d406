#include "../support/WindowTest.h"

#include "about/frmAbout.h"
#include "winutil/Forms.h"

#include <QLabel>
#include <QTimer>

class tst_frmAbout : public WindowTest
{
    Q_OBJECT

public:
    // The logo's colours in the order of the cycle, light blue to navy; Other is none of them.
    enum Blue
    {
        Other,
        Pale,
        Light,
        Pure,
        Dark, // the colour the window is designed with
        Navy,
    };
    Q_ENUM(Blue)

private:
    QPointer<frmAbout> m_about; // one window for every opening, as the results window keeps it

    // Opens the window, made on first use, with the text file beside the program or without it.
    frmAbout *Open(bool withText = true)
    {
        if (withText)
            TestFiles::WriteLines(InFolder("AboutTest.txt"), {"Программа тестирования", "", "Версия 1.0"});
        else
            QFile::remove(InFolder("AboutTest.txt"));
        return Reopen();
    }
    // The same with the folder as it stands.
    frmAbout *Reopen()
    {
        m_about = m_about ? m_about.data() : new frmAbout(m_platform);
        m_about->close();
        Forms::ShowShaped(m_about);
        return m_about;
    }
    QLabel *Logo() const { return Child<QLabel>(m_about, "Label1"); }
    QTimer *Timer() const { return Child<QTimer>(m_about, "Timer1"); }
    // Which of the five blues the logo shows.
    Blue Step() const
    {
        static const QList<QColor> blues = {QColor(192, 192, 255), QColor(128, 128, 255), QColor(0, 0, 255),
                                            QColor(0, 0, 192), QColor(0, 0, 128)};
        Logo()->ensurePolished();
        return static_cast<Blue>(blues.indexOf(Logo()->palette().color(QPalette::WindowText)) + 1);
    }
    // One tick of the window's own timer.
    Blue Tick()
    {
        QMetaObject::invokeMethod(Timer(), "timeout");
        return Step();
    }
    void ClickLogo() { Drag(Logo(), {0, 0}); }

private slots:
    // Reopening carries on where the cycle stopped; a pause is lifted by a reopening that finds the text
    // only. The timer runs while the window is open.
    void textAndColourCycleAcrossOpenings()
    {
        Open(false);
        QCOMPARE(Text(m_about, "Text1"), QString());
        QCOMPARE(Step(), Dark); // without the text, the cycle waits for the first tick
        QCOMPARE(Tick(), Pale);
        Open();
        QCOMPARE(Text(m_about, "Text1"), QString("Программа тестирования\n\nВерсия 1.0\n"));
        QCOMPARE(Step(), Light); // the text found takes a step at once
        for (const Blue next : {Pure, Dark, Navy, Pale})
            QCOMPARE(Tick(), next);
        Open();
        QCOMPARE(Step(), Light);
        ClickLogo();
        Open();
        QCOMPARE(Step(), Pure);
        ClickLogo();
        Open(false);
        QCOMPARE(Tick(), Pure);
        ClickLogo();
        QCOMPARE(Tick(), Dark);
        QVERIFY(Timer()->isActive());
        m_about->close();
        QVERIFY(!Timer()->isActive());

        // Of a text too long to be meant for reading, the first megabyte shows: 16384 lines of 64 bytes.
        QFile huge(InFolder("AboutTest.txt"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        for (int line = 0; line <= 16384; ++line)
            huge.write(QByteArray(62, 'x') + "\r\n");
        huge.close();
        Reopen();
        QCOMPARE(Text(m_about, "Text1").size(), 16384 * 63);
        QVERIFY(QFile::remove(InFolder("AboutTest.txt")));

        // A text that cannot be read, here a folder of that name, leaves the box empty without a word.
        QVERIFY(QDir().mkpath(InFolder("AboutTest.txt")));
        Reopen();
        QCOMPARE(Text(m_about, "Text1"), QString());
        QVERIFY(m_platform.boxes.isEmpty() && m_platform.endings == 0);
    }

    void clickOnTheLogoPausesAndResumes()
    {
        Open();
        QCOMPARE(Tick(), Light);
        ClickLogo();
        QCOMPARE(Tick(), Light);
        Drag(Logo(), {1, 2}); // a slip of the hand is still a click
        QCOMPARE(Tick(), Pure);
        Drag(Logo(), {0, 0}, {}, Qt::RightButton); // only the left button clicks
        QCOMPARE(Tick(), Dark);

        // Dragging the logo moves the window and leaves the cycle running.
        const QPoint before = m_about->pos();
        Drag(Logo(), {50, -30});
        QCOMPARE(m_about->pos(), before + QPoint(50, -30));
        QCOMPARE(Tick(), Navy);

        // A double click pauses once, as a click does.
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool held = type != QEvent::MouseButtonRelease;
            SendMouse(Logo(), type, {5, 5}, Qt::LeftButton, held ? Qt::LeftButton : Qt::NoButton);
        }
        QCOMPARE(Tick(), Navy);
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
