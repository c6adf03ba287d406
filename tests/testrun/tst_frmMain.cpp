#include "../winutil/WindowTest.h"

#include "app/frmChose.h"
#include "results/frmEnd.h"
#include "testrun/frmMain.h"
#include "winutil/UiText.h"

#include <QLabel>

namespace {
// The slots whose marker shows the tick, as their numbers: "2" when b) alone is chosen.
QString Ticked(const frmMain *window)
{
    const QImage tick = Child<QLabel>(window, "Image2")->pixmap().toImage();
    QString ticked;
    for (const char *marker : {"Opt1", "Opt2", "Opt3", "Opt4"}) {
        if (Child<QLabel>(window, marker)->pixmap().toImage() == tick) {
            ticked += marker[3];
        }
    }
    return ticked;
}
} // namespace

class tst_frmMain : public WindowTest
{
    Q_OBJECT

private:
    frmMain *Load(const QStringList &lines, const QString &title = "Тест")
    {
        TestFiles::WriteLines(InFolder("base.bse"), lines);
        m_state.BaseFile = ToPathString(InFolder("base.bse"));
        m_state.TestTitle = ToCp1251(title);
        frmMain::Open(m_state, m_platform);
        return Shown<frmMain>();
    }
    frmMain *Load(int questions, const QString &testTime = "00:00:00", const QString &questTime = "00:00:00")
    {
        return Load(TestFiles::Base("Т", TestFiles::Numbered(questions), testTime, questTime));
    }

private slots:
    void loadingShowsQuestionOne()
    {
        auto questions = TestFiles::Numbered(25);
        questions[0].answers[3] = "NONE";
        frmMain *main =
            Load(TestFiles::Base("Основы химии", questions, "00:10:00", "00:00:00",
                                 {"SHOW_TIME=True", "SHOW_QUESTIONTIME=0", "SHOW_QUESTIONTEST=1",
                                  "SHOW_FALSEANSWERS=true", "SHOW_TRUEANSWERS=False", "SHOW_num=TRUE"}),
                 "Основы химии");
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("Основы химии (25)"));
        QCOMPARE(Text(main, "Text1"), QString("Вопрос 1"));
        QCOMPARE(Text(main, "txtC"), QString("Ответ 1.3"));
        QCOMPARE(Text(main, "txtD"), QString());
        QVERIFY(!Child(main, "txtD")->isEnabled() && !Child(main, "Opt4")->isEnabled());
        QCOMPARE(Child(main, "Image3")->toolTip(), QString("Подсказка 1"));
        QCOMPARE(Text(main, "Label5"), QString("1"));
        QCOMPARE(Text(main, "Label10"), QString("00:10:00"));
        QCOMPARE(Text(main, "Label11"), QString("00:00:00"));
        QCOMPARE(Ticked(main), QString("1"));
        // A cover hides the value of each setting that is off: here the second and the fifth.
        for (int k = 1; k <= 6; ++k) {
            const QString cover = QStringLiteral("Label1_%1").arg(k);
            QCOMPARE(Child(main, qPrintable(cover))->isVisibleTo(main), k == 2 || k == 5);
        }
    }

    void loadFailuresGiveTheirMessageAndEnd_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        QStringList noNum = TestFiles::Base("Т", TestFiles::Numbered(2));
        noNum.removeLast();
        const QString format = "Данный файл не соответствует кодировке Zorvanta Base File 2.0";
        QTest::newRow("empty") << true << QStringList() << "Пустой файл!";
        QTest::newRow("no questions") << true << QStringList{"текст", "ещё"} << "База не содержит вопросов!";
        QTest::newRow("missing setting") << true << noNum << format;
        QTest::newRow("missing file") << false << QStringList() << format;
    }

    void loadFailuresGiveTheirMessageAndEnd()
    {
        QFETCH(bool, exists);
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        if (exists) {
            TestFiles::WriteLines(InFolder("bad.bse"), lines);
        }
        m_state.BaseFile = ToPathString(InFolder("bad.bse"));
        frmMain::Open(m_state, m_platform);
        QCOMPARE(Boxes(), QStringList{"Critical: " + message});
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!Shown<frmMain>());
    }

    void wrongHeaderReturnsToTheSelection()
    {
        TestFiles::WriteLines(InFolder("Tests/geo.bse"),
                              TestFiles::Base("География", TestFiles::Numbered(3)));
        QStringList lower = TestFiles::Base("Химия", TestFiles::Numbered(7));
        lower[0] = "[zorvantabasefile.2.0]";
        QVERIFY(!Load(lower));
        QCOMPARE(Boxes(), QStringList{"Critical: Неверная кодировка базы!"});
        QCOMPARE(m_platform.endings, 0);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose && chose->isModal());

        Click(chose, "Command1");
        frmMain *main = Shown<frmMain>();
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("География (3)"));
        QCOMPARE(Text(main, "Text1"), QString("Вопрос 1"));
    }

    void clicksOnMarkersAndTextsMoveTheOneTick()
    {
        auto questions = TestFiles::Numbered(2);
        questions[0].answers[3] = "none";
        frmMain *main = Load(TestFiles::Base("Т", questions));
        Click(main, "Opt3");
        QCOMPARE(Ticked(main), QString("3"));
        Click(main, "txtC");
        QCOMPARE(Ticked(main), QString("3"));
        Click(main, "txtB");
        QCOMPARE(Ticked(main), QString("2"));
        // The unused slot takes no click.
        Click(main, "Opt4");
        Click(main, "txtD");
        QCOMPARE(Ticked(main), QString("2"));
    }

    void enterSubmitsWhereverTheFocusIs()
    {
        frmMain *main = Load(3);
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        // Inside an answer box, which would otherwise take Enter for itself.
        Child(main, "txtA")->setFocus();
        QTest::keyClick(Child(main, "txtA"), Qt::Key_Return);
        QCOMPARE(Text(main, "Text1"), QString("Вопрос 2"));
        QCOMPARE(Text(main, "lblFalse"), QString("1"));
        // On the abandon button Enter still submits, and asks nothing.
        Click(main, "txtB");
        Child(main, "cmdCancel")->setFocus();
        QTest::keyClick(Child(main, "cmdCancel"), Qt::Key_Return);
        QVERIFY(Boxes().isEmpty());
        QCOMPARE(Text(main, "Label5"), QString("3"));
        QCOMPARE(Text(main, "lblTrue"), QString("1"));
    }

    void abandonAnsweredNoChangesNothingAndYesEndsWithoutTrace()
    {
        frmMain *main = Load(3);
        Click(main, "txtC");
        m_platform.answers = {Platform::Answer::No, Platform::Answer::Yes};
        Click(main, "cmdCancel");
        QCOMPARE(Boxes(), QStringList{"Information: Вы уверены, что хотите прекратить тестирование?"});
        QCOMPARE(m_platform.shown[0].buttons, Platform::Buttons::YesNo);
        QCOMPARE(Shown<frmMain>(), main);
        QCOMPARE(Ticked(main), QString("3"));
        QCOMPARE(m_platform.endings, 0);

        Click(main, "cmdCancel");
        QVERIFY(!Shown<frmMain>() && !Shown<frmEnd>());
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!QFile::exists(InFolder("Result.res")));
    }

    void titleBarCloseEndsWithoutAsking()
    {
        Load(3)->close();
        QVERIFY(Boxes().isEmpty());
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!QFile::exists(InFolder("Result.res")));
    }

    void questionLimitSubmitsTheChosenAnswer()
    {
        frmMain *main = Load(3, "00:00:00", "00:00:10");
        Click(main, "txtB");
        m_platform.Advance(10'000);
        QTRY_COMPARE(Text(main, "Label5"), QString("2"));
        QCOMPARE(Text(main, "lblTrue"), QString("1"));
    }

    void testLimitWhileTheConfirmationIsOpenEndsTheTestOnce()
    {
        QPointer<frmMain> main = Load(10, "00:01:00");
        m_platform.answers = {Platform::Answer::Yes};
        m_platform.whileShown = [this] {
            m_platform.Advance(61'000);
            QTRY_VERIFY(Shown<frmEnd>());
        };
        Click(main, "cmdCancel");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Shown<frmEnd>());
        QVERIFY(!main || !main->isVisible());
        QCOMPARE(m_platform.endings, 0);
        QCOMPARE(TestFiles::Read(InFolder("Result.res")).count('\n'), 1);
        QCOMPARE(m_state.SpentTime, std::string("0:01:01"));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
