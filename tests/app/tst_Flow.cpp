#include "../winutil/ScriptedPlatform.h"
#include "../winutil/TestFiles.h"

#include "app/frmChose.h"
#include "results/frmEnd.h"
#include "testbase/TestState.h"
#include "testrun/frmMain.h"

#include <QLabel>
#include <QLineEdit>
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
} // namespace

// The whole way through, as an examinee goes it: a name, a topic, every question, the results.
class tst_Flow : public QObject
{
    Q_OBJECT

private slots:
    void selectionToResultLine()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/Tests");
        auto questions = TestFiles::Numbered(4);
        questions[2].answers[1] = "NONE";
        TestFiles::WriteLines(dir.path() + "/Tests/flow.bse", TestFiles::Base("Сквозной тест", questions));
        ScriptedPlatform platform;
        platform.appPath = dir.path();
        TestState state;

        frmChose::Open(state, platform);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose);
        auto *name = chose->findChild<QLineEdit *>("Text1");
        name->insert("Иванов"); // typing replaces the selected initial name
        QTest::keyClick(name, Qt::Key_Return);

        frmMain *main = Shown<frmMain>();
        QVERIFY(main);
        const auto click = [main](const char *box) {
            QTest::mouseClick(main->findChild<QPlainTextEdit *>(box)->viewport(), Qt::LeftButton);
        };
        auto *next = main->findChild<QPushButton *>("cmdNext");
        click("txtB"); // right
        QTest::mouseClick(next, Qt::LeftButton);
        click("txtD"); // wrong
        QTest::mouseClick(next, Qt::LeftButton);
        click("txtB"); // slot b) is unused in question 3: d) stays chosen
        QTest::mouseClick(next, Qt::LeftButton);
        click("txtB"); // right
        platform.Advance(75'000);
        QTRY_COMPARE(main->findChild<QLabel *>("Label6")->text(), QString("0:01:15"));
        QTest::mouseClick(next, Qt::LeftButton);

        frmEnd *end = Shown<frmEnd>();
        QVERIFY(end);
        QVERIFY(!Shown<frmMain>());
        QCOMPARE(end->findChild<QLabel *>("Label5")->text(), QString("Иванов"));
        QCOMPARE(end->findChild<QLabel *>("lblAll")->text(), QString("4"));
        QCOMPARE(end->findChild<QLabel *>("lblTrue")->text(), QString("2"));
        QCOMPARE(end->findChild<QLabel *>("lblFalse")->text(), QString("2"));
        QCOMPARE(end->findChild<QLabel *>("lblTime")->text(), QString("0:01:15"));
        QCOMPARE(TestFiles::Read(dir.path() + "/Result.res"),
                 TestFiles::Cp1251({"Иванов=   2  4  4  2  True= 2  False= 2"}));

        QTest::mouseClick(end->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        QCOMPARE(platform.endings, 1);
    }
};

QTEST_MAIN(tst_Flow)
#include "tst_Flow.moc"
