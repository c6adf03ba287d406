#include "../support/WindowTest.h"

#include "app/frmChose.h"
#include "results/frmEnd.h"
#include "testrun/frmMain.h"
#include "look/UiText.h"

#include <QLabel>

namespace {
// The slots whose marker shows the tick, as their numbers: "2" when b) alone is chosen.
QString Ticked(const frmMain *window)
{
    const QImage tick = Child<QLabel>(window, "Image2")->pixmap().toImage();
    QString ticked;
    for (const char *marker : {"Opt1", "Opt2", "Opt3", "Opt4"}) {
        if (Child<QLabel>(window, marker)->pixmap().toImage() == tick)
            ticked += marker[3];
    }
    return ticked;
}
} // namespace

// What the question window shows and what follows its events; the rules behind them are the engine's.
class tst_frmMain : public WindowTest
{
    Q_OBJECT

private:
    frmMain *Load(const QStringList &lines)
    {
        TestFiles::WriteLines(InFolder("base.bse"), lines);
        m_state.BaseFile = ToPathString(InFolder("base.bse"));
        m_state.TestTitle = ToCp1251("Тест");
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
        QStringList lines = TestFiles::Base("Т", questions, "00:10:00");
        lines.replaceInStrings("QUESTIONTIME=True", "QUESTIONTIME=False")
            .replaceInStrings("TRUEANSWERS=True", "TRUEANSWERS=False");
        frmMain *main = Load(lines);
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("Тест (25)"));
        QCOMPARE(Text(main, {"Text1", "txtC", "txtD", "Label5", "Label10", "Label11"}),
                 QString("Вопрос 1 | Ответ 1.3 |  | 1 | 00:10:00 | 00:00:00"));
        QCOMPARE(Ticked(main) + " " + Child(main, "Image3")->toolTip(), QString("1 Подсказка 1"));
        QVERIFY(!Child(main, "txtD")->isEnabled() && !Child(main, "Opt4")->isEnabled());
        // A cover hides the value of each setting that is off: here the second and the fifth.
        QString covered;
        for (int k = 1; k <= 6; ++k) {
            if (Child(main, qPrintable(QStringLiteral("Label1_%1").arg(k)))->isVisibleTo(main))
                covered += QString::number(k);
        }
        QCOMPARE(covered, QString("25"));
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
        if (exists)
            TestFiles::WriteLines(InFolder("bad.bse"), lines);
        m_state.BaseFile = ToPathString(InFolder("bad.bse"));
        frmMain::Open(m_state, m_platform);
        QCOMPARE(m_platform.boxes, QStringList{"Critical: " + message});
        QVERIFY(m_platform.endings == 1 && !Shown<frmMain>());
    }

    void wrongHeaderReturnsToTheSelection()
    {
        TestFiles::WriteLines(InFolder("Tests/geo.bse"),
                              TestFiles::Base("География", TestFiles::Numbered(3)));
        QStringList lower = TestFiles::Base("Химия", TestFiles::Numbered(7));
        lower[0] = "[zorvantabasefile.2.0]";
        QVERIFY(!Load(lower));
        QCOMPARE(m_platform.boxes, QStringList{"Critical: Неверная кодировка базы!"});
        QCOMPARE(m_platform.endings, 0);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose && chose->isModal());

        Click(chose, "Command1");
        frmMain *main = Shown<frmMain>();
        QVERIFY(main);
        QCOMPARE(main->windowTitle() + " " + Text(main, "Text1"), QString("География (3) Вопрос 1"));
    }

    void clicksOnMarkersAndTextsMoveTheOneTick()
    {
        auto questions = TestFiles::Numbered(2);
        questions[0].answers[3] = "none";
        frmMain *main = Load(TestFiles::Base("Т", questions));
        QString ticks;
        // The unused slot d) takes no click.
        for (const char *control : {"Opt3", "txtC", "txtB", "Opt4", "txtD"}) {
            Click(main, control);
            ticks += Ticked(main);
        }
        QCOMPARE(ticks, QString("33222"));
    }

    void enterSubmitsWhereverTheFocusIs()
    {
        frmMain *main = Load(3);
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        // Inside an answer box, which would otherwise take Enter for itself, and on the abandon button,
        // which asks nothing then.
        for (const char *focus : {"txtA", "cmdCancel"}) {
            Child(main, focus)->setFocus();
            QTest::keyClick(Child(main, focus), Qt::Key_Return);
        }
        QCOMPARE(Text(main, "Label5"), QString("3"));
        QVERIFY(m_platform.boxes.isEmpty());
    }

    void abandonAnsweredNoChangesNothingAndYesEndsWithoutTrace()
    {
        frmMain *main = Load(3);
        Click(main, "txtC");
        m_platform.answers = {Platform::Answer::No, Platform::Answer::Yes};
        Click(main, "cmdCancel");
        QCOMPARE(m_platform.boxes,
                 QStringList{"Information YesNo: Вы уверены, что хотите прекратить тестирование?"});
        QVERIFY(Shown<frmMain>() == main && m_platform.endings == 0);
        QCOMPARE(Ticked(main), QString("3"));

        Click(main, "cmdCancel");
        QVERIFY(!Shown<frmMain>() && !Shown<frmEnd>() && !QFile::exists(InFolder("Result.res")));
        QCOMPARE(m_platform.endings, 1);
    }

    void titleBarCloseEndsWithoutAsking()
    {
        Load(3)->close();
        QVERIFY(m_platform.boxes.isEmpty() && !QFile::exists(InFolder("Result.res")));
        QCOMPARE(m_platform.endings, 1);
    }

    void questionLimitMovesOnByItself()
    {
        frmMain *main = Load(3, "00:00:00", "00:00:10");
        m_platform.Advance(10'000);
        QTRY_COMPARE(Text(main, "Label5"), QString("2"));
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
        QVERIFY(Shown<frmEnd>() && (!main || !main->isVisible()));
        QCOMPARE(m_platform.endings, 0);
        QCOMPARE(TestFiles::Read(InFolder("Result.res")).count('\n'), 1);
        QCOMPARE(m_state.SpentTime, std::string("0:01:01"));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
