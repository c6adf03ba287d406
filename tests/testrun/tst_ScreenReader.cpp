#include "../support/WindowTest.h"

#include "testrun/frmMain.h"

#include <QAccessible>

namespace {
QHash<QObject *, int> announced;
void CountAnnouncement(QAccessibleEvent *event)
{
    ++announced[event->object()];
}
} // namespace

// What the question window tells a screen reader while the time runs. Needs the accessibility bus of a
// desktop session, so it is run only by scripts/x11-tests.sh.
class tst_ScreenReader : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs X11 and a session bus");
        QTRY_VERIFY(QAccessible::isActive());
    }

    // Each clock the examinee sees announces its new text at most once a second; a clock the base hides
    // announces nothing.
    void clocksAnnounceAtMostOnceASecondAndHiddenOnesNever()
    {
        QStringList lines = TestFiles::Base("Т", TestFiles::Numbered(2), "00:10:00", "00:05:00");
        lines.replaceInStrings("QUESTIONTIME=True", "QUESTIONTIME=False");
        frmMain *main = StartOn(lines);
        QVERIFY(main);
        // The fake clock follows the real one, so the timers tick as often as they do for the examinee.
        QElapsedTimer real;
        real.start();
        const std::int64_t begin = m_platform.now.monotonicMs;
        const auto runUntil = [&](const QString &shown) {
            while (Text(main, "Label6") != shown && real.elapsed() < 20'000) {
                m_platform.Advance(begin + real.elapsed() - m_platform.now.monotonicMs);
                QTest::qWait(5);
            }
            return Text(main, "Label6") == shown;
        };
        QVERIFY(runUntil("0:00:01"));
        QAccessible::installUpdateHandler(CountAnnouncement);
        QVERIFY(runUntil("0:00:04"));
        QAccessible::installUpdateHandler(nullptr);
        QString counts;
        for (const char *clock : {"Label6", "Label10", "Label11", "LabelD"})
            counts += QStringLiteral("%1 %2, ").arg(clock).arg(announced.value(Child(main, clock)));
        QCOMPARE(counts, QString("Label6 3, Label10 3, Label11 0, LabelD 0, "));
        QCOMPARE(QAccessible::queryAccessibleInterface(Child(main, "Label6"))->text(QAccessible::Name),
                 QString("0:00:04"));
    }
};

int main(int argc, char *argv[])
{
    // As when a screen reader runs: Qt then reports to the accessibility bus.
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    QApplication app(argc, argv);
    tst_ScreenReader test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ScreenReader.moc"
