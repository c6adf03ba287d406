#include "../winutil/ScriptedPlatform.h"
#include "../winutil/TestFiles.h"

#include "app/frmChose.h"
#include "results/frmEnd.h"
#include "testbase/TestState.h"
#include "testrun/frmMain.h"
#include "winutil/UiText.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
template <typename T> T *Shown()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible()) {
            return t;
        }
    }
    return nullptr;
}

QString Text(QWidget *window, const char *name)
{
    if (auto *label = window->findChild<QLabel *>(name)) {
        return label->text();
    }
    return window->findChild<QPlainTextEdit *>(name)->toPlainText();
}

bool Ticked(frmMain *window, int k)
{
    const QImage selected = window->findChild<QLabel *>("Image2")->pixmap().toImage();
    return window->findChild<QLabel *>(QStringLiteral("Opt%1").arg(k))->pixmap().toImage() == selected;
}

int TickedSlot(frmMain *window)
{
    int found = 0;
    for (int k = 1; k <= 4; ++k) {
        if (Ticked(window, k)) {
            if (found != 0) {
                return -1; // two ticks: never allowed
            }
            found = k;
        }
    }
    return found;
}

void ClickText(frmMain *window, const char *name)
{
    QTest::mouseClick(window->findChild<QPlainTextEdit *>(name)->viewport(), Qt::LeftButton);
}
} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    TestState m_state;

    frmMain *Load(const QStringList &lines, const QString &title = "Тест")
    {
        const QString path = m_dir.path() + "/base.bse";
        TestFiles::WriteLines(path, lines);
        m_state.BaseFile = ToPathString(path);
        m_state.TestTitle = ToCp1251(title);
        frmMain::Open(m_state, m_platform);
        return Shown<frmMain>();
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_platform = ScriptedPlatform();
        m_platform.appPath = m_dir.path();
        m_state = TestState();
    }

    void cleanup()
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            w->hide();
            w->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void loadingShowsQuestionOne()
    {
        auto questions = TestFiles::Numbered(25);
        questions[0].answers[3] = "NONE";
        frmMain *main = Load(TestFiles::Base("Основы химии", questions, "00:10:00", "00:00:00",
                                             {"SHOW_TIME=True", "SHOW_QUESTIONTIME=0", "SHOW_QUESTIONTEST=1",
                                              "SHOW_FALSEANSWERS=true", "SHOW_TRUEANSWERS=False", "SHOW_num=TRUE"}),
                             "Основы химии");
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("Основы химии (25)"));
        QCOMPARE(Text(main, "Text1"), QString("Вопрос 1"));
        QCOMPARE(Text(main, "txtA"), QString("Ответ 1.1"));
        QCOMPARE(Text(main, "txtC"), QString("Ответ 1.3"));
        QCOMPARE(Text(main, "txtD"), QString());
        QVERIFY(!main->findChild<QWidget *>("txtD")->isEnabled());
        QVERIFY(!main->findChild<QWidget *>("Opt4")->isEnabled());
        QVERIFY(main->findChild<QWidget *>("txtC")->isEnabled());
        QCOMPARE(main->findChild<QLabel *>("Image3")->toolTip(), QString("Подсказка 1"));
        QCOMPARE(Text(main, "Label5"), QString("1"));
        QCOMPARE(Text(main, "Label10"), QString("00:10:00"));
        QCOMPARE(Text(main, "Label11"), QString("00:00:00"));
        QCOMPARE(TickedSlot(main), 1);
        const bool covered[] = {false, false, true, false, false, true, false};
        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(main->findChild<QLabel *>(QStringLiteral("Label1_%1").arg(k))->isVisibleTo(main), covered[k]);
        }
        QVERIFY(m_platform.shown.empty());
        QCOMPARE(m_platform.endings, 0);
    }

    void loadFailuresGiveTheirMessageAndEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QStringList good = TestFiles::Base("Т", TestFiles::Numbered(2));
        QStringList noNum = good;
        noNum.removeLast();
        QTest::newRow("empty") << QByteArray() << "Пустой файл!";
        QTest::newRow("no questions") << TestFiles::Cp1251({"просто текст", "ещё"}) << "База не содержит вопросов!";
        QTest::newRow("missing setting") << TestFiles::Cp1251(noNum)
                                         << "Данный файл не соответствует кодировке Zorvanta Base File 2.0";
    }

    void loadFailuresGiveTheirMessageAndEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = m_dir.path() + "/bad.bse";
        TestFiles::Write(path, bytes);
        m_state.BaseFile = ToPathString(path);
        frmMain::Open(m_state, m_platform);
        QCOMPARE(m_platform.shown.size(), size_t(1));
        QCOMPARE(m_platform.shown[0].text, message);
        QCOMPARE(m_platform.shown[0].icon, Platform::Icon::Critical);
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!Shown<frmMain>());
    }

    void missingBaseIsAFormatFailure()
    {
        m_state.BaseFile = ToPathString(m_dir.path() + "/нет.bse");
        frmMain::Open(m_state, m_platform);
        QCOMPARE(m_platform.shown.at(0).text, QString("Данный файл не соответствует кодировке Zorvanta Base File 2.0"));
        QCOMPARE(m_platform.endings, 1);
    }

    void wrongHeaderReturnsToTheSelection()
    {
        QDir().mkpath(m_dir.path() + "/Tests");
        TestFiles::WriteLines(m_dir.path() + "/Tests/geo.bse", TestFiles::Base("География", TestFiles::Numbered(3)));
        QStringList lower = TestFiles::Base("Химия", TestFiles::Numbered(7));
        lower[0] = "[zorvantabasefile.2.0]";
        QVERIFY(!Load(lower));
        QCOMPARE(m_platform.shown.at(0).text, QString("Неверная кодировка базы!"));
        QCOMPARE(m_platform.endings, 0);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose);
        QVERIFY(chose->isModal());

        QTest::mouseClick(chose->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        frmMain *main = Shown<frmMain>();
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("География (3)"));
        QCOMPARE(Text(main, "Text1"), QString("Вопрос 1"));
        QCOMPARE(Text(main, "Label5"), QString("1"));
    }

    void clicksOnMarkersAndTextsMoveTheOneTick()
    {
        auto questions = TestFiles::Numbered(2);
        questions[0].answers[3] = "none";
        frmMain *main = Load(TestFiles::Base("Т", questions));
        QTest::mouseClick(main->findChild<QLabel *>("Opt3"), Qt::LeftButton);
        QCOMPARE(TickedSlot(main), 3);
        ClickText(main, "txtC");
        QCOMPARE(TickedSlot(main), 3);
        ClickText(main, "txtB");
        QCOMPARE(TickedSlot(main), 2);
        // The unused slot takes no click.
        QTest::mouseClick(main->findChild<QLabel *>("Opt4"), Qt::LeftButton);
        ClickText(main, "txtD");
        QCOMPARE(TickedSlot(main), 2);
    }

    void enterInAnAnswerBoxSubmits()
    {
        frmMain *main = Load(TestFiles::Base("Т", TestFiles::Numbered(3)));
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        auto *txtA = main->findChild<QPlainTextEdit *>("txtA");
        txtA->setFocus();
        QTest::keyClick(txtA, Qt::Key_Return);
        QCOMPARE(Text(main, "Label5"), QString("2"));
        QCOMPARE(Text(main, "lblTrue"), QString("0"));
        QCOMPARE(Text(main, "lblFalse"), QString("1"));
        QCOMPARE(Text(main, "Text1"), QString("Вопрос 2"));
        ClickText(main, "txtB");
        auto *cmdCancel = main->findChild<QPushButton *>("cmdCancel");
        cmdCancel->setFocus();
        QTest::keyClick(cmdCancel, Qt::Key_Return);
        QVERIFY(m_platform.shown.empty());
        QCOMPARE(Text(main, "lblTrue"), QString("1"));
        QCOMPARE(Text(main, "lblFalse"), QString("1"));
        QCOMPARE(TickedSlot(main), 2);
    }

    void abandonAskedNoChangesNothing()
    {
        frmMain *main = Load(TestFiles::Base("Т", TestFiles::Numbered(3)));
        ClickText(main, "txtC");
        m_platform.answers = {Platform::Answer::No};
        QTest::mouseClick(main->findChild<QPushButton *>("cmdCancel"), Qt::LeftButton);
        QCOMPARE(m_platform.shown.at(0).text, QString("Вы уверены, что хотите прекратить тестирование?"));
        QCOMPARE(m_platform.shown.at(0).icon, Platform::Icon::Information);
        QCOMPARE(m_platform.shown.at(0).buttons, Platform::Buttons::YesNo);
        QCOMPARE(Shown<frmMain>(), main);
        QCOMPARE(TickedSlot(main), 3);
        QCOMPARE(m_platform.endings, 0);
    }

    void abandonAnsweredYesEndsWithoutTrace()
    {
        frmMain *main = Load(TestFiles::Base("Т", TestFiles::Numbered(3)));
        m_platform.answers = {Platform::Answer::Yes};
        QTest::mouseClick(main->findChild<QPushButton *>("cmdCancel"), Qt::LeftButton);
        QVERIFY(!Shown<frmMain>());
        QVERIFY(!Shown<frmEnd>());
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!QFile::exists(m_dir.path() + "/Result.res"));
    }

    void titleBarCloseEndsWithoutAsking()
    {
        frmMain *main = Load(TestFiles::Base("Т", TestFiles::Numbered(3)));
        main->close();
        QVERIFY(m_platform.shown.empty());
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!QFile::exists(m_dir.path() + "/Result.res"));
    }

    void questionLimitSubmitsTheChosenAnswer()
    {
        frmMain *main = Load(TestFiles::Base("Т", TestFiles::Numbered(3), "00:00:00", "00:00:10"));
        ClickText(main, "txtB");
        m_platform.Advance(10'000);
        QTRY_COMPARE(Text(main, "Label5"), QString("2"));
        QCOMPARE(Text(main, "lblTrue"), QString("1"));
        QCOMPARE(m_state.GivenAnswer.at(1), 2);
        QCOMPARE(m_state.GivenAnswer.at(2), 0);
    }

    void testLimitWhileTheConfirmationIsOpenEndsTheTestOnce()
    {
        frmMain *main = Load(TestFiles::Base("Т", TestFiles::Numbered(10), "00:01:00", "00:00:00"));
        QPointer<frmMain> guard(main);
        m_platform.answers = {Platform::Answer::Yes};
        m_platform.whileShown = [this] {
            m_platform.Advance(61'000);
            QTRY_VERIFY(Shown<frmEnd>());
        };
        QTest::mouseClick(main->findChild<QPushButton *>("cmdCancel"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Shown<frmEnd>());
        QVERIFY(!guard || !guard->isVisible());
        QCOMPARE(m_platform.endings, 0);
        QCOMPARE(TestFiles::Read(m_dir.path() + "/Result.res").count('\n'), 1);
        QCOMPARE(m_state.SpentTime, std::string("0:01:01"));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
