#include "app/QtPlatform.h"

#include <QApplication>
#include <QProcess>
#include <QtTest>

// The real platform: the running-copy guard, with real processes (this program runs itself as the first
// copy), and its message boxes.
class tst_QtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void aBoxClosedFromOutsideAnswersNo()
    {
        QtPlatform platform({}, QDir::temp().filePath("unused.lock"));
        QTimer::singleShot(0, this, [&platform] { platform.CloseMsgBox(); });
        QCOMPARE(platform.MsgBox("?", Platform::Icon::Information, Platform::Buttons::YesNo),
                 Platform::Answer::No);
        platform.CloseMsgBox(); // no box open: nothing to do
    }

    void secondCopySeesTheFirstAndTakesOverAfterACrash()
    {
        // A lock of its own, so that a copy of the program running on this machine does not interfere.
        QTemporaryDir dir;
        const QString lock = dir.filePath("zorvanta-test.lock");
        QProcess first;
        first.start(QCoreApplication::applicationFilePath(), {"--hold", lock});
        QVERIFY(first.waitForStarted());
        QVERIFY(first.waitForReadyRead(10'000));
        QCOMPARE(first.readLine().trimmed(), QByteArray("locked"));

        QtPlatform second({}, lock);
        QVERIFY(second.PrevInstance());

        // A copy that was killed leaves its lock behind; the next start must take it over.
        first.kill();
        QVERIFY(first.waitForFinished());
        QtPlatform third({}, lock);
        QVERIFY(!third.PrevInstance());
        QVERIFY(!third.PrevInstance());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().value(1) == "--hold") {
        QtPlatform holder({}, app.arguments().value(2));
        if (holder.PrevInstance()) {
            return 2;
        }
        QTextStream(stdout) << "locked\n" << Qt::flush;
        QThread::sleep(60);
        return 0;
    }
    tst_QtPlatform test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_QtPlatform.moc"
