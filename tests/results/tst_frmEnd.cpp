#include "../winutil/ScriptedPlatform.h"
#include "../winutil/TestFiles.h"

#include "about/frmAbout.h"
#include "results/ResultFile.h"
#include "results/frmEnd.h"
#include "testbase/TestState.h"
#include "winutil/UiText.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
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

void SendMouse(QWidget *to, QEvent::Type type, QPoint at, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, at, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

// Presses a button at a point of a control, drags the pointer by a distance and lets go there.
void Drag(QWidget *control, QPoint at, Qt::MouseButton button, QPoint by)
{
    const QPoint global = control->mapToGlobal(at);
    SendMouse(control, QEvent::MouseButtonPress, at, global, button, button);
    SendMouse(control, QEvent::MouseMove, at + by, global + by, Qt::NoButton, button);
    SendMouse(control, QEvent::MouseButtonRelease, at + by, global + by, button, Qt::NoButton);
}

// Looks at the result file the moment the results window is first shown.
class FileAtShow final : public QObject
{
public:
    explicit FileAtShow(QString path) : m_path(std::move(path)) { qApp->installEventFilter(this); }
    bool seen = false;
    QByteArray bytes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !seen && qobject_cast<frmEnd *>(watched)) {
            seen = true;
            bytes = TestFiles::Read(m_path);
        }
        return false;
    }

private:
    QString m_path;
};
} // namespace

class tst_frmEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    TestState m_state;

    QString ResultFile() const { return m_dir.path() + "/Result.res"; }

    void Finished(const QString &name, int questions, int right, const std::vector<std::int16_t> &given)
    {
        m_state.UserName = ToCp1251(name);
        m_state.QuestCount = questions;
        m_state.TrueCount = right;
        m_state.GivenAnswer = given;
        m_state.GivenAnswer.resize(questions + 1);
        m_state.SpentTime = "0:03:07";
    }

    template <typename T> T *Child(QWidget *window, const char *name)
    {
        auto *child = window->findChild<T *>(name);
        if (child == nullptr) {
            qFatal("no control %s", name);
        }
        return child;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
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

    void showsTheCountsAndWritesTheLineFirst_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("wrong");
        // Last question submitted: every answer given.
        QTest::newRow("normal end") << "Иванов Пётр" << 4 << 3 << "1";
        // Test time run out after 5 of 10 questions: the other five count as wrong.
        QTest::newRow("time out") << "Сидорова" << 10 << 3 << "7";
        QTest::newRow("empty name, none right") << "" << 2 << 0 << "2";
    }

    void showsTheCountsAndWritesTheLineFirst()
    {
        QFETCH(QString, name);
        QFETCH(int, questions);
        QFETCH(int, right);
        QFETCH(QString, wrong);
        Finished(name, questions, right, {0, 2, 1, 4, 3, 2});
        FileAtShow atShow(ResultFile());

        frmEnd::Open(m_state, m_platform);
        auto *end = Shown<frmEnd>();
        QVERIFY(end);
        QCOMPARE(Child<QLabel>(end, "lblAll")->text(), QString::number(questions));
        QCOMPARE(Child<QLabel>(end, "lblTrue")->text(), QString::number(right));
        QCOMPARE(Child<QLabel>(end, "lblFalse")->text(), wrong);
        QCOMPARE(Child<QLabel>(end, "Label5")->text(), name);
        QCOMPARE(Child<QLabel>(end, "lblTime")->text(), QString("0:03:07"));
        QVERIFY(m_platform.shown.empty());

        const QByteArray line = QByteArray::fromStdString(ResultLine(m_state));
        QVERIFY(atShow.seen);
        QCOMPARE(atShow.bytes, line);
        // Shaped before it is shown: the corner pixel is cut away.
        QVERIFY(!end->mask().isEmpty());
        QVERIFY(!end->mask().contains(QPoint(0, 0)));
        QVERIFY(end->mask().contains(QPoint(end->width() / 2, end->height() / 2)));

        // Leaving writes nothing more and ends the program.
        QTest::mouseClick(Child<QPushButton>(end, "Command1"), Qt::LeftButton);
        QVERIFY(!end->isVisible());
        QCOMPARE(m_platform.endings, 1);
        QCOMPARE(TestFiles::Read(ResultFile()), line);
    }

    void failedSaveEndsWithoutShowing()
    {
        Finished("Иванов", 3, 1, {0, 1, 2, 3});
        // A folder in the file's place defeats every write, even with every right.
        QVERIFY(QDir().mkpath(ResultFile()));

        frmEnd::Open(m_state, m_platform);
        QCOMPARE(m_platform.shown.size(), std::size_t(1));
        QCOMPARE(m_platform.shown[0].text, QString("Неизвестная ошибка!!!"));
        QCOMPARE(m_platform.shown[0].icon, Platform::Icon::Critical);
        QCOMPARE(m_platform.endings, 1);
        QCOMPARE(Shown<frmEnd>(), nullptr);
    }

    void enterAnywhereOpensAbout()
    {
        Finished("Иванов", 3, 1, {0, 1, 2, 3});
        frmEnd::Open(m_state, m_platform);
        auto *end = Shown<frmEnd>();
        QVERIFY(end);

        // Enter on the exit button too: the window's default button takes it.
        for (const char *focus : {"BtnEnh1", "Command1"}) {
            QPointer<frmAbout> about;
            bool modal = false;
            QTimer::singleShot(0, this, [&about, &modal] {
                about = Shown<frmAbout>();
                if (about) {
                    modal = about->isModal();
                    QTest::keyClick(about, Qt::Key_Return); // its own default button closes it
                }
            });
            QTest::keyClick(Child<QPushButton>(end, focus), Qt::Key_Return);
            QVERIFY2(about, focus);
            QVERIFY(modal);
            QVERIFY(!about->isVisible());
            QVERIFY(end->isVisible());
        }
        QCOMPARE(m_platform.endings, 0);
        QCOMPARE(TestFiles::Read(ResultFile()), QByteArray::fromStdString(ResultLine(m_state)));
    }

    void pressesOnBackgroundAndNameMoveTheWindow_data()
    {
        QTest::addColumn<QString>("control"); // empty: the window itself
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<bool>("moves");
        const QPoint far(40, 25);
        QTest::newRow("background, left") << "" << QPoint(200, 32) << int(Qt::LeftButton) << far << true;
        QTest::newRow("background, middle") << "" << QPoint(200, 32) << int(Qt::MiddleButton) << far << true;
        QTest::newRow("frame, right") << "Frame1" << QPoint(3, 120) << int(Qt::RightButton) << far << true;
        QTest::newRow("caption label") << "Label4" << QPoint(5, 5) << int(Qt::LeftButton) << far << true;
        QTest::newRow("name, right") << "Label5" << QPoint(20, 8) << int(Qt::RightButton) << far << true;
        QTest::newRow("name, a slip")
            << "Label5" << QPoint(20, 8) << int(Qt::LeftButton) << QPoint(2, 1) << false;
        QTest::newRow("value in the frame")
            << "lblAll" << QPoint(20, 8) << int(Qt::LeftButton) << far << false;
        QTest::newRow("caption in the frame")
            << "Label2" << QPoint(5, 5) << int(Qt::LeftButton) << far << false;
        QTest::newRow("exit button") << "Command1" << QPoint(10, 10) << int(Qt::LeftButton) << far << false;
    }

    void pressesOnBackgroundAndNameMoveTheWindow()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(int, button);
        QFETCH(QPoint, by);
        QFETCH(bool, moves);
        Finished("Иванов", 3, 1, {0, 1, 2, 3});
        frmEnd::Open(m_state, m_platform);
        auto *end = Shown<frmEnd>();
        QVERIFY(end);
        QWidget *pressed = control.isEmpty() ? end : Child<QWidget>(end, qPrintable(control));
        const QPoint before = end->pos();

        Drag(pressed, at, Qt::MouseButton(button), by);
        QCOMPARE(end->pos(), moves ? before + by : before);
        QCOMPARE(m_platform.endings, 0);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }
};

QTEST_MAIN(tst_frmEnd)
#include "tst_frmEnd.moc"
