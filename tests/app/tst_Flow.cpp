#include "../support/WindowTest.h"

#include "app/frmChose.h"
#include "results/frmEnd.h"
#include "testrun/frmMain.h"
#include "look/UiText.h"

#include <QLineEdit>
#include <QPushButton>

// The whole way through, as an examinee goes it: a name, a topic, every question, the results.
class tst_Flow : public WindowTest
{
    Q_OBJECT

private slots:
    void selectionToResultLine()
    {
        auto questions = TestFiles::Numbered(4);
        questions[2].answers[1] = "NONE";
        TestFiles::WriteLines(InFolder("Tests/flow.bse"), TestFiles::Base("Сквозной тест", questions));

        frmChose::Open(m_state, m_platform);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose);
        auto *name = Child<QLineEdit>(chose, "Text1");
        name->insert("Иванов"); // typing replaces the selected initial name
        QTest::keyClick(name, Qt::Key_Return);

        frmMain *main = Shown<frmMain>();
        QVERIFY(main);
        auto *next = Child<QPushButton>(main, "cmdNext");
        Click(main, "txtB"); // right
        QTest::mouseClick(next, Qt::LeftButton);
        Click(main, "txtD"); // wrong
        QTest::mouseClick(next, Qt::LeftButton);
        Click(main, "txtB"); // slot b) is unused in question 3: d) stays chosen
        QTest::mouseClick(next, Qt::LeftButton);
        Click(main, "txtB"); // right
        m_platform.Advance(75'000);
        QTRY_COMPARE(Text(main, "Label6"), QString("0:01:15"));
        QTest::mouseClick(next, Qt::LeftButton);

        frmEnd *end = Shown<frmEnd>();
        QVERIFY(end);
        QVERIFY(!Shown<frmMain>());
        QCOMPARE(Text(end, {"Label5", "lblAll", "lblTrue", "lblFalse", "lblTime"}),
                 QString("Иванов | 4 | 2 | 2 | 0:01:15"));
        QCOMPARE(TestFiles::Read(InFolder("Result.res")),
                 QByteArray::fromStdString(ToCp1251("Иванов=   2  4  4  2  True= 2  False= 2")) + "\r\n");

        Click(end, "Command1");
        QCOMPARE(m_platform.endings, 1);
    }
};

QTEST_MAIN(tst_Flow)
#include "tst_Flow.moc"
