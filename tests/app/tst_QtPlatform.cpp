#include "app/CommandLine.h"
#include "app/QtPlatform.h"

#include <QApplication>
#include <QProcess>
#include <QtTest>

#include <cstdio>

// The real platform: the running-copy guard and the command line, with real processes (this program runs
// itself as the first copy and as the program given a base), and its message boxes.
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

    // The whole command line is the base, blanks, quotation marks and words that look like Qt's options
    // included.
    void commandLineIsTheBase()
    {
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ZT_PRINT_COMMAND", "1");
        child.setProcessEnvironment(environment);
#ifdef _WIN32
        // As Explorer spells a base dropped on the program: only the raw command line has it whole.
        child.setNativeArguments(R"("C:\Учебный класс\химия -style.bse")");
        const QString expected = R"(C:\Учебный класс\химия -style.bse)";
#else
        child.setArguments({"-style", "химия.bse"});
        const QString expected = "-style химия.bse";
#endif
        child.start();
        QVERIFY(child.waitForFinished(10'000));
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()), expected);
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("ZT_PRINT_COMMAND")) {
        try {
            const std::u8string base = CommandLinePath(argc, argv).u8string();
            std::fwrite(base.data(), 1, base.size(), stdout);
            return 0;
        } catch (const std::exception &) {
            return 1;
        }
    }
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
