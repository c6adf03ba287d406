#include "../support/WindowTest.h"

#include "look/UiText.h"
#include "results/ResultFile.h"
#include "results/ResultLines.h"
#include "results/frmEnd.h"
#include "winutil/Forms.h"

namespace {
// What the result file holds and whether the window is shaped, the moment the results window shows.
struct AtShow final : QObject
{
    QString path;
    QByteArray bytes = "not shown";
    bool shaped = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *end = qobject_cast<frmEnd *>(watched); end && event->type() == QEvent::Show) {
            bytes = TestFiles::Read(path);
            // On X11 the shape is the server's, which tst_Corners reads.
            const QRegion shape = Shape(end);
            shaped = QGuiApplication::platformName() == QLatin1String("xcb") ||
                     (shape.contains(end->rect().center()) && !shape.contains(QPoint(0, 0)));
        }
        return false;
    }
};
} // namespace

class tst_frmEnd : public WindowTest
{
    Q_OBJECT

private:
    // A test ended with three right answers.
    frmEnd *Finish(int questions = 4)
    {
        if (m_state.UserName.empty())
            m_state.UserName = ToCp1251("Иванов");
        m_state.QuestCount = questions;
        m_state.TrueCount = 3;
        m_state.GivenAnswer.assign(questions + 1, 2);
        m_state.SpentTime = "0:03:07";
        auto *end = new frmEnd(m_state, m_platform);
        if (!end->Form_Load())
            return nullptr;
        Forms::ShowShaped(end);
        return end;
    }

private slots:
    // Test time run out after 5 of 10 questions, 3 right: the questions not reached count as wrong.
    void showsTheCountsAndWritesTheLineFirst()
    {
        AtShow atShow;
        atShow.path = InFolder("Result.res");
        qApp->installEventFilter(&atShow);
        frmEnd *end = Finish(10);
        QVERIFY(end);
        QCOMPARE(Text(end, {"Label5", "lblAll", "lblTrue", "lblFalse", "lblTime"}),
                 QString("Иванов | 10 | 3 | 7 | 0:03:07"));
        QCOMPARE(atShow.bytes, QByteArray::fromStdString(ResultLine(m_state)));
        QVERIFY(atShow.shaped); // the corner cut away, the middle kept
    }

    // The frame's fill and its dotted lines in their exact colours, not blended.
    void paintsExactColours()
    {
        frmEnd *end = Finish();
        const QImage shot = end->grab().toImage();
        const auto at = [&](const char *control, QPoint offset) {
            return shot.pixelColor(Child(end, control)->mapTo(end, offset));
        };
        QCOMPARE(at("Line1_1", {0, 0}), QColor(0, 0, 192));
        QCOMPARE(at("Line1_1", {1, 0}), QColor(192, 192, 255));
        QCOMPARE(at("Line2", {0, 2}), QColor(0, 0, 128));
        QCOMPARE(at("Frame1", {60, 60}), QColor(192, 192, 255));
    }

    void failedSaveEndsWithoutShowing()
    {
        QVERIFY(QDir().mkpath(InFolder("Result.res"))); // a folder in the file's place defeats every write
        QVERIFY(!Finish());
        QCOMPARE(m_platform.boxes, QStringList{"Critical: Неизвестная ошибка!!!"});
    }

    void pressesOnBackgroundAndListedControlsMoveTheWindow()
    {
        frmEnd *end = Finish();
        QVERIFY(end);
        const struct
        {
            const char *control; // empty: the window itself
            QPoint at;
            Qt::MouseButton button;
            bool moves;
        } cases[] = {
            {"", {200, 32}, Qt::MiddleButton, true},    {"Frame1", {3, 120}, Qt::RightButton, true},
            {"Label4", {5, 5}, Qt::LeftButton, true},   {"Label5", {20, 8}, Qt::LeftButton, true},
            {"lblAll", {20, 8}, Qt::LeftButton, false}, {"Command1", {10, 10}, Qt::LeftButton, false}};
        for (const auto &c : cases) {
            const QPoint before = end->pos();
            Drag(*c.control ? Child(end, c.control) : end, {40, 25}, c.at, c.button);
            QVERIFY2(end->pos() == (c.moves ? before + QPoint(40, 25) : before), c.control);
            QCOMPARE(QWidget::mouseGrabber(), nullptr);
        }
        // Nothing here is also clicked, so the window follows from the first pixel.
        const QPoint before = end->pos();
        Drag(end, {2, 1}, {200, 32});
        QCOMPARE(end->pos(), before + QPoint(2, 1));
        QCOMPARE(m_platform.endings, 0);
    }
};

QTEST_MAIN(tst_frmEnd)
#include "tst_frmEnd.moc"
