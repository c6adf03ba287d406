#include "../winutil/WindowTest.h"

#include "about/frmAbout.h"
#include "results/ResultFile.h"
#include "results/frmEnd.h"
#include "winutil/UiText.h"

#include <optional>

namespace {
// What the result file holds and whether the window is shaped, the moment the results window first shows.
struct AtShow final : QObject
{
    QString path;
    std::optional<QByteArray> bytes;
    bool shaped = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *end = qobject_cast<frmEnd *>(watched);
        if (event->type() == QEvent::Show && !bytes && end) {
            bytes = TestFiles::Read(path);
            shaped = end->mask().contains(end->rect().center()) && !end->mask().contains(QPoint(0, 0));
        }
        return false;
    }
};
} // namespace

class tst_frmEnd : public WindowTest
{
    Q_OBJECT

private:
    frmEnd *Finish(int questions = 3, int right = 1)
    {
        m_state.UserName = ToCp1251("Иванов");
        m_state.QuestCount = questions;
        m_state.TrueCount = right;
        m_state.GivenAnswer = {0, 2, 1, 4, 3, 2};
        m_state.GivenAnswer.resize(questions + 1);
        m_state.SpentTime = "0:03:07";
        frmEnd::Open(m_state, m_platform);
        return Shown<frmEnd>();
    }

private slots:
    void showsTheCountsAndWritesTheLineFirst_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("wrong");
        QTest::newRow("last question submitted") << 4 << 3 << "1";
        // Test time run out after 5 of 10 questions: the other five count as wrong.
        QTest::newRow("time out") << 10 << 3 << "7";
    }

    void showsTheCountsAndWritesTheLineFirst()
    {
        QFETCH(int, questions);
        QFETCH(int, right);
        QFETCH(QString, wrong);
        AtShow atShow;
        atShow.path = InFolder("Result.res");
        qApp->installEventFilter(&atShow);
        frmEnd *end = Finish(questions, right);
        QVERIFY(end);
        QCOMPARE(Text(end, "lblAll"), QString::number(questions));
        QCOMPARE(Text(end, "lblTrue"), QString::number(right));
        QCOMPARE(Text(end, "lblFalse"), wrong);
        QCOMPARE(Text(end, "Label5"), QString("Иванов"));
        QCOMPARE(Text(end, "lblTime"), QString("0:03:07"));
        QCOMPARE(atShow.bytes.value_or("not shown"), QByteArray::fromStdString(ResultLine(m_state)));
        QVERIFY(atShow.shaped); // the corner cut away, the middle kept
    }

    void failedSaveEndsWithoutShowing()
    {
        QVERIFY(QDir().mkpath(InFolder("Result.res"))); // a folder in the file's place defeats every write
        QVERIFY(!Finish());
        QCOMPARE(Boxes(), QStringList{"Critical: Неизвестная ошибка!!!"});
        QCOMPARE(m_platform.endings, 1);
    }

    void enterAnywhereOpensAbout()
    {
        frmEnd *end = Finish();
        QVERIFY(end);
        // Enter on the exit button too: the window's default button takes it.
        for (const char *focus : {"BtnEnh1", "Command1"}) {
            bool modal = false;
            QTimer::singleShot(0, this, [&modal] {
                if (auto *about = Shown<frmAbout>()) {
                    modal = about->isModal();
                    QTest::keyClick(about, Qt::Key_Return); // its own default button closes it
                }
            });
            QTest::keyClick(Child(end, focus), Qt::Key_Return);
            QVERIFY2(modal, focus);
            QVERIFY(!Shown<frmAbout>() && end->isVisible());
        }
        QCOMPARE(m_platform.endings, 0);
    }

    void pressesOnBackgroundAndListedControlsMoveTheWindow_data()
    {
        QTest::addColumn<QString>("control"); // empty: the window itself
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("background, middle") << "" << QPoint(200, 32) << int(Qt::MiddleButton) << true;
        QTest::newRow("frame, right") << "Frame1" << QPoint(3, 120) << int(Qt::RightButton) << true;
        QTest::newRow("caption label") << "Label4" << QPoint(5, 5) << int(Qt::LeftButton) << true;
        QTest::newRow("name") << "Label5" << QPoint(20, 8) << int(Qt::LeftButton) << true;
        QTest::newRow("value in the frame") << "lblAll" << QPoint(20, 8) << int(Qt::LeftButton) << false;
        QTest::newRow("exit button") << "Command1" << QPoint(10, 10) << int(Qt::LeftButton) << false;
    }

    void pressesOnBackgroundAndListedControlsMoveTheWindow()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(int, button);
        QFETCH(bool, moves);
        frmEnd *end = Finish();
        QVERIFY(end);
        const QPoint before = end->pos();
        Drag(control.isEmpty() ? end : Child(end, qPrintable(control)), {40, 25}, at,
             Qt::MouseButton(button));
        QCOMPARE(end->pos(), moves ? before + QPoint(40, 25) : before);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(m_platform.endings, 0);
    }
};

QTEST_MAIN(tst_frmEnd)
#include "tst_frmEnd.moc"
