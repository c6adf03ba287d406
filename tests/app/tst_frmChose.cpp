#include "../support/WindowTest.h"

#include "app/frmChose.h"
#include "testrun/frmMain.h"
#include "app/QtPlatform.h"
#include "look/UiText.h"

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
    frmChose *OpenShown()
    {
        frmChose::Open(m_state, m_platform);
        return Shown<frmChose>();
    }

private slots:
    // Which headers are listed is the title reader's rule; here the folder, the order and the files.
    void listsBasesInNameOrderEachOpeningItsOwnFile()
    {
        WriteBase("b.bse", "Бета");
        WriteBase("A.BSE", "Альфа");
        WriteBase("dup2.bse", "Двойник", 3);
        WriteBase("dup1.bse", "Двойник", 5);
        WriteBase(".hidden.bse", "Скрытый");
        WriteBase("c.txt", "Не база");
        TestFiles::WriteLines(InFolder("Tests/0.bse"), {"Какой-то текст", "  Чужой"});
        TestFiles::WriteLines(InFolder("Tests/1.bse"), {"[ZorvantaBaseFile.2.0]"});

        frmChose *chose = OpenShown();
        auto *combo = Child<QComboBox>(chose, "Combo1");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, (QStringList{"Альфа", "Бета", "Двойник", "Двойник"}));
        combo->setCurrentIndex(3);
        Click(chose, "Command1");
        QCOMPARE(Shown<frmMain>()->windowTitle(), QString("Двойник (3)"));
        QVERIFY(m_platform.boxes.isEmpty());
    }

    void missingFolderIsCreatedAndEnterDoesNothing()
    {
        frmChose *chose = OpenShown();
        QVERIFY(QDir(InFolder("Tests")).exists());
        QVERIFY(!Child(chose, "Command1")->isEnabled());
        QTest::keyClick(Child(chose, "Text1"), Qt::Key_Return);
        QVERIFY(!Shown<frmMain>() && Shown<frmChose>() == chose);
        QVERIFY(m_platform.boxes.isEmpty());
    }

    void commandLineHandsOverWithoutShowingTheWindow()
    {
        m_platform.command = InFolder("Другая папка/химия.bse");
        TestFiles::WriteLines(m_platform.command, TestFiles::Base("Химия", TestFiles::Numbered(4)));
        QVERIFY(!OpenShown());
        QCOMPARE(Shown<frmMain>()->windowTitle(), QString("Химия (4)"));
        QCOMPARE(FromCp1251(m_state.UserName), QString("Тестируемый"));
        QVERIFY(m_platform.boxes.isEmpty());
    }

    void unreadableCommandLineShowsTheFailureAndAnEmptyWindow()
    {
        m_platform.command = InFolder("нет такого.bse");
        frmChose *chose = OpenShown();
        QCOMPARE(m_platform.boxes, QStringList{"Critical: Файл не найден"});
        QCOMPARE(Child<QComboBox>(chose, "Combo1")->count(), 0);
        QCOMPARE(m_platform.endings, 0);
    }

    void secondCopyOnlyWarnsAndEnds()
    {
        m_platform.otherCopyRunning = true;
        QVERIFY(!OpenShown());
        QCOMPARE(m_platform.boxes, QStringList{"Exclamation: Программа Zorvanta Test уже запущена !!!"});
        QCOMPARE(m_platform.endings, 1);
    }

    void closeEndsTheProgram()
    {
        Click(OpenShown(), "cmdClose");
        QVERIFY(m_platform.endings == 1 && !Shown<frmChose>());
        // Closed some other way (Alt+F4), the window must not leave the program running unseen.
        OpenShown()->close();
        QCOMPARE(m_platform.endings, 2);
    }

    void commandTextJoinsArgumentsAndDropsQuotes()
    {
        QCOMPARE(CommandText({"prog"}), QString());
        QCOMPARE(CommandText({"prog", "/tmp/a", "b.bse"}), QString("/tmp/a b.bse"));
        QCOMPARE(CommandText({"prog", "\"C:\\Тесты\\a.bse\""}), QString("C:\\Тесты\\a.bse"));
        QCOMPARE(CommandText({"prog", "\""}), QString("\""));
    }
};

QTEST_MAIN(tst_frmChose)
#include "tst_frmChose.moc"
