#include "app/QtPlatform.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

// The running-copy guard, with real processes: this program runs itself as the first copy.
class tst_InstanceGuard : public QObject
{
    Q_OBJECT

private slots:
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

        QtPlatform second({"zorvanta-test"}, lock);
        QVERIFY(second.PrevInstance());

        // A copy that was killed leaves its lock behind; the next start must take it over.
        first.kill();
        QVERIFY(first.waitForFinished());
        QtPlatform third({"zorvanta-test"}, lock);
        QVERIFY(!third.PrevInstance());
        QVERIFY(!third.PrevInstance());
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == "--hold") {
        QtPlatform holder({"zorvanta-test"}, app.arguments().value(2));
        if (holder.PrevInstance()) {
            return 2;
        }
        QTextStream(stdout) << "locked\n" << Qt::flush;
        QThread::sleep(60);
        return 0;
    }
    tst_InstanceGuard test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_InstanceGuard.moc"
