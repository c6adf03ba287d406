#include "../support/WindowTest.h"

#include "about/frmAbout.h"
#include "app/frmChose.h"
#include "look/UiText.h"
#include "results/frmEnd.h"
#include "testrun/frmMain.h"

#include <QLineEdit>

// The roads between the windows, as an examinee goes them.
class tst_Flow : public WindowTest
{
    Q_OBJECT

private slots:
    void selectionToResultLineAndAbout()
    {
        TestFiles::WriteLines(InFolder("Tests/flow.bse"),
                              TestFiles::Base("Сквозной тест", TestFiles::Numbered(4)));
        Start();
        auto *chose = Shown<frmChose>();
        QVERIFY(chose);
        auto *name = Child<QLineEdit>(chose, "Text1");
        name->insert("Иванов"); // typing replaces the selected initial name
        QTest::keyClick(name, Qt::Key_Return);
        Settle();

        frmMain *main = Shown<frmMain>();
        QVERIFY(main && !Shown<frmChose>());
        Click(main, "txtC"); // wrong, and kept for every question
        for (int question = 1; question <= 4; ++question) {
            if (question == 4) {
                m_platform.Advance(75'000);
                QTRY_COMPARE(Text(main, "Label6"), QString("0:01:15"));
            }
            Click(main, "cmdNext");
        }
        Settle();

        frmEnd *end = Shown<frmEnd>();
        QVERIFY(end && !Shown<frmMain>());
        QCOMPARE(Text(end, {"Label5", "lblAll", "lblTrue", "lblFalse", "lblTime"}),
                 QString("Иванов | 4 | 0 | 4 | 0:01:15"));
        QCOMPARE(TestFiles::Read(InFolder("Result.res")),
                 QByteArray::fromStdString(ToCp1251("Иванов=   3  3  3  3  True= 0  False= 4")) + "\r\n");

        // Enter opens About over the results, and its own Enter closes it again.
        QTest::keyClick(Child(end, "lblAll"), Qt::Key_Return);
        Settle();
        auto *about = Shown<frmAbout>();
        QVERIFY(about && about->isModal());
        QTest::keyClick(about, Qt::Key_Return);
        QVERIFY(!Shown<frmAbout>() && end->isVisible());

        // On the exit button Enter presses that button.
        Child(end, "Command1")->setFocus();
        QTest::keyClick(Child(end, "Command1"), Qt::Key_Return);
        Settle();
        QVERIFY(!Shown<frmEnd>() && !Shown<frmAbout>());
        QCOMPARE(m_platform.endings, 1);
    }

    // The question window opens once the name box's Enter handler has returned, whatever the load yields.
    void enterInTheNameBoxLoadsAfterItsHandler()
    {
        TestFiles::WriteLines(InFolder("Tests/big.bse"),
                              TestFiles::Base("Большая", TestFiles::Numbered(800)));
        Start();
        auto *name = Child<QLineEdit>(Shown<frmChose>(), "Text1");
        m_platform.step = 50; // a slow machine: the load hands over to the event loop again and again
        bool inHandler = true;
        bool loadedInHandler = false;
        QTimer::singleShot(0, this, [&] { loadedInHandler = inHandler; });
        QTest::keyClick(name, Qt::Key_Return);
        inHandler = false;
        QTRY_VERIFY(Shown<frmMain>());
        QVERIFY(!loadedInHandler);
        QCOMPARE(Text(Shown<frmMain>(), "Text1"), QString("Вопрос 1"));
    }

    void loadFailuresGiveTheirMessageAndEnd_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("preloaded");
        QStringList noNum = TestFiles::Base("Т", TestFiles::Numbered(2));
        noNum.removeLast();
        for (const bool preloaded : {false, true}) {
            const char *road = preloaded ? ", loaded ahead" : "";
            QTest::addRow("empty%s", road) << QStringList() << "Пустой файл!" << preloaded;
            QTest::addRow("missing setting%s", road)
                << noNum << "Данный файл не соответствует кодировке Zorvanta Base File 2.0" << preloaded;
        }
    }

    void loadFailuresGiveTheirMessageAndEnd()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        QFETCH(bool, preloaded);
        QVERIFY(!StartOn(lines, preloaded));
        QCOMPARE(m_platform.boxes, QStringList{"Critical: " + message});
        QVERIFY(m_platform.endings == 1 && !Shown<frmMain>() && !Shown<frmChose>());
    }

    // A header in the wrong letter case sends the examinee back to a selection that holds the program. The
    // base loaded ahead serves its own first load only: the topic chosen then is read afresh.
    void wrongHeaderOnTheCommandLineLetsAnotherTopicLoad()
    {
        TestFiles::WriteLines(InFolder("Tests/b.bse"), TestFiles::Base("Биология", TestFiles::Numbered(3)));
        QStringList wrong = TestFiles::Base("Химия", TestFiles::Numbered(4));
        wrong[0] = wrong[0].toLower();
        QVERIFY(!StartOn(wrong, true));
        QCOMPARE(m_platform.boxes, QStringList{"Critical: Неверная кодировка базы!"});
        auto *chose = Shown<frmChose>();
        QVERIFY(chose && chose->isModal());
        QTest::keyClick(Child(chose, "Text1"), Qt::Key_Return);
        Settle();
        QVERIFY(Shown<frmMain>());
        QCOMPARE(Shown<frmMain>()->windowTitle(), QString("Биология (3)"));
    }

    // Only the list needs the Tests folder: a base named on the command line loads without it, ahead of the
    // window, which keeps the examinee's name.
    void commandLineBaseLoadsWhenTheFolderCannotBeMade()
    {
        TestFiles::WriteLines(InFolder("Tests"), {"a file where the folder should be"});
        frmMain *main = StartOn(TestFiles::Base("Химия", TestFiles::Numbered(4)), true);
        QCOMPARE(m_platform.boxes, QStringList{"Critical: Не удалось создать папку тестов"});
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("Химия (4)"));
        QCOMPARE(FromCp1251(m_state.UserName), QString("Тестируемый"));
    }

    // The test time runs out while the examinee is asked whether to leave: the question goes with the
    // test, and the results come once.
    void testLimitWhileTheConfirmationIsOpenEndsTheTestOnce()
    {
        frmMain *main = StartOn(TestFiles::Base("Т", TestFiles::Numbered(10), "00:01:00"));
        m_platform.answers = {Platform::Answer::Yes};
        m_platform.whileShown = [this] {
            m_platform.Advance(61'000);
            QTRY_VERIFY(Shown<frmEnd>());
        };
        Click(main, "cmdCancel");
        Settle();
        QCOMPARE(m_platform.closedBoxes, 1);
        QVERIFY(Shown<frmEnd>() && !Shown<frmMain>());
        QCOMPARE(m_platform.endings, 0);
        QCOMPARE(TestFiles::Read(InFolder("Result.res")).count('\n'), 1);
        QCOMPARE(m_state.SpentTime, std::string("0:01:01"));
    }
};

QTEST_MAIN(tst_Flow)
#include "tst_Flow.moc"
