#include "../support/WindowTest.h"

#include "app/frmChose.h"
#include "testrun/frmMain.h"

#include <QComboBox>

class tst_frmChose : public WindowTest
{
    Q_OBJECT

private:
    void WriteBase(const QString &name, const QString &title, int questions = 2)
    {
        TestFiles::WriteLines(InFolder("Tests/" + name),
                              TestFiles::Base(title, TestFiles::Numbered(questions)));
    }
    frmChose *StartShown()
    {
        Start();
        return Shown<frmChose>();
    }

private slots:
    // Which files become topics, in which order, is the engine's rule; here each entry opens its own file.
    void twoTopicsOfOneTitleEachOpenTheirOwnFile()
    {
        WriteBase("b.bse", "Бета");
        WriteBase("dup2.bse", "Двойник", 3);
        WriteBase("dup1.bse", "Двойник", 5);
        frmChose *chose = StartShown();
        auto *combo = Child<QComboBox>(chose, "Combo1");
        QCOMPARE(combo->count(), 3);
        combo->setCurrentIndex(2);
        Click(chose, "Command1");
        Settle();
        QCOMPARE(Shown<frmMain>()->windowTitle(), QString("Двойник (3)"));
        QVERIFY(m_platform.boxes.isEmpty());
    }

    // A title too long for the list shows cut short, and the test still gets it whole. The list is
    // painted in its own colour.
    void longTitleIsElidedInThePinkListOnly()
    {
        const QString title(1'000'000, QChar(0x0416));
        WriteBase("long.bse", title);
        frmChose *chose = StartShown();
        auto *combo = Child<QComboBox>(chose, "Combo1");
        QVERIFY(combo->itemText(0).size() < 100 && combo->itemText(0).endsWith(QChar(0x2026)));
        QCOMPARE(combo->grab().toImage().pixelColor(combo->width() / 2, 2), QColor(255, 192, 192));
        Click(chose, "Command1");
        Settle();
        QCOMPARE(m_state.TestTitle.size(), std::size_t(1'000'000));
    }

    void missingFolderIsCreatedAndEnterDoesNothing()
    {
        frmChose *chose = StartShown();
        QVERIFY(QDir(InFolder("Tests")).exists());
        QVERIFY(!Child(chose, "Command1")->isEnabled());
        QTest::keyClick(Child(chose, "Text1"), Qt::Key_Return);
        Settle();
        QVERIFY(!Shown<frmMain>() && Shown<frmChose>() == chose);
        QVERIFY(m_platform.boxes.isEmpty());
    }

    void unreadableCommandLineShowsTheFailureAndAnEmptyWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << InFolder("нет такого.bse") << "Файл не найден";
        QTest::newRow("folder") << m_dir.path() << "Указанный путь является папкой, а не файлом";
#ifdef _WIN32
        // Windows reports a name longer than a folder entry can be as not found.
        QTest::newRow("name too long") << InFolder(QString(300, 'x')) << "Файл не найден";
        // A device would block the reading or never end it.
        QTest::newRow("device") << "NUL"
                                << "Указанный путь не является обычным файлом";
#else
        QTest::newRow("name too long") << InFolder(QString(300, 'x')) << "Слишком длинное имя файла";
        // A device would block the reading or never end it.
        QTest::newRow("device") << "/dev/zero"
                                << "Указанный путь не является обычным файлом";
#endif
    }

    void unreadableCommandLineShowsTheFailureAndAnEmptyWindow()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        m_platform.command = command;
        frmChose *chose = StartShown();
        QCOMPARE(m_platform.boxes, QStringList{"Critical: " + message});
        QCOMPARE(Child<QComboBox>(chose, "Combo1")->count(), 0);
        QCOMPARE(m_platform.endings, 0);
    }

    void secondCopyOnlyWarnsAndEnds()
    {
        m_platform.otherCopyRunning = true;
        QVERIFY(!StartShown());
        QCOMPARE(m_platform.boxes, QStringList{"Exclamation: Программа Zorvanta Test уже запущена !!!"});
        QCOMPARE(m_platform.endings, 1);
    }

    void closeEndsTheProgram()
    {
        Click(StartShown(), "cmdClose");
        Settle();
        QVERIFY(m_platform.endings == 1 && !Shown<frmChose>());
    }
};

QTEST_MAIN(tst_frmChose)
#include "tst_frmChose.moc"
