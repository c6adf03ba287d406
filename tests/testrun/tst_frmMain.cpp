#include "../support/WindowTest.h"

#include "results/frmEnd.h"
#include "testrun/frmMain.h"

#include <QPushButton>

// What the question window shows and what follows its events; the rules behind them are the engine's.
class tst_frmMain : public WindowTest
{
    Q_OBJECT

private:
    frmMain *Load(int questions) { return StartOn(TestFiles::Base("Т", TestFiles::Numbered(questions))); }

private slots:
    // The same whether the window reads the base or takes it loaded ahead, as at a start on it.
    void loadingShowsQuestionOne_data()
    {
        QTest::addColumn<bool>("preloaded");
        QTest::newRow("read by the window") << false;
        QTest::newRow("loaded ahead") << true;
    }

    void loadingShowsQuestionOne()
    {
        QFETCH(bool, preloaded);
        auto questions = TestFiles::Numbered(25);
        questions[0].answers[3] = "NONE";
        QStringList lines = TestFiles::Base("Основы химии", questions, "00:10:00");
        lines.replaceInStrings("QUESTIONTIME=True", "QUESTIONTIME=False")
            .replaceInStrings("TRUEANSWERS=True", "TRUEANSWERS=False");
        frmMain *main = StartOn(lines, preloaded);
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("Основы химии (25)"));
        QCOMPARE(Text(main, {"Text1", "txtD", "Label5", "Label10"}) + " " + Ticked(main) + " " +
                     Child(main, "Image3")->accessibleDescription(),
                 QString("Вопрос 1 |  | 1 | 00:10:00 1 Подсказка 1"));
        QVERIFY(!Child(main, "txtD")->isEnabled());
        // A cover hides the value of each setting that is off: here the second and the fifth.
        QString covered;
        for (int k = 1; k <= 6; ++k) {
            if (Child(main, qPrintable(QStringLiteral("Label1_%1").arg(k)))->isVisibleTo(main))
                covered += QString::number(k);
        }
        QCOMPARE(covered, QString("25"));
    }

    // Only a left click chooses; the marker of a slot that became unused keeps its tick undimmed.
    void leftClicksOnMarkersAndTextsMoveTheOneTick()
    {
        auto questions = TestFiles::Numbered(2);
        questions[0].answers[3] = "none";
        questions[1].answers[2] = "NONE";
        frmMain *main = StartOn(TestFiles::Base("Т", questions));
        QString ticks;
        for (const char *control : {"Opt3", "txtC", "txtB", "Opt4", "txtD"}) {
            Click(main, control);
            ticks += Ticked(main);
        }
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(Child(main, "Opt1"), button);
            ticks += Ticked(main);
        }
        QCOMPARE(ticks, QString("3322222"));
        Click(main, "txtC");
        Click(main, "cmdNext");
        QCOMPARE(Ticked(main), QString("3"));
    }

    // Enter, pressed and let go, presses the focused button once, and the default button from anywhere
    // else. (A held key is tested with the X server's own repeats, end to end.)
    void enterPressesTheFocusedOrTheDefaultButtonOnce()
    {
        frmMain *main = Load(5);
        QVERIFY(Child<QPushButton>(main, "cmdNext")->isDefault());
        for (const char *focus : {"txtA", "Text1", "cmdNext"}) {
            Child(main, focus)->setFocus();
            QTest::keyClick(Child(main, focus), Qt::Key_Return);
        }
        QCOMPARE(Text(main, "Label5"), QString("4"));
        QVERIFY(m_platform.boxes.isEmpty());

        m_platform.answers = {Platform::Answer::No};
        Child(main, "cmdCancel")->setFocus();
        QTest::keyClick(Child(main, "cmdCancel"), Qt::Key_Return);
        QCOMPARE(m_platform.boxes,
                 QStringList{"Information YesNo: Вы уверены, что хотите прекратить тестирование?"});
        QCOMPARE(Text(main, "Label5"), QString("4"));
    }

    // The title-bar button ends the program without a question and without a trace. (Leaving by the
    // exit button, No and Yes, is gone through end to end.)
    void titleBarCloseEndsWithoutTrace()
    {
        Load(3)->close();
        Settle();
        QVERIFY(m_platform.boxes.isEmpty() && !Shown<frmEnd>() && !QFile::exists(InFolder("Result.res")));
        QCOMPARE(m_platform.endings, 1);
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
