#include "../winutil/WindowTest.h"

#include "app/frmChose.h"
#include "testrun/frmMain.h"
#include "winutil/QtPlatform.h"
#include "winutil/UiText.h"

#include <QComboBox>
#include <QLineEdit>

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
    void listsValidBasesInNameOrderAndSkipsTheRest()
    {
        WriteBase("b.bse", "Бета");
        WriteBase("A.BSE", "Альфа");
        WriteBase("dup2.bse", "Двойник", 3);
        WriteBase("dup1.bse", "Двойник", 5);
        const QString header = "[ZorvantaBaseFile.2.0]";
        TestFiles::WriteLines(InFolder("Tests/c.bse"), {header.toLower(), "  Гамма", "x", "y"});
        TestFiles::WriteLines(InFolder("Tests/0.bse"), {' ' + header, "  С пробелом"});
        TestFiles::WriteLines(InFolder("Tests/1.bse"), {header});
        TestFiles::WriteLines(InFolder("Tests/2.bse"), {"Какой-то текст", "  Чужой"});
        TestFiles::WriteLines(InFolder("Tests/.hidden.bse"), {header, "  Скрытый"});

        frmChose *chose = OpenShown();
        QVERIFY(chose);
        auto *combo = Child<QComboBox>(chose, "Combo1");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
        QCOMPARE(items, (QStringList{"Альфа", "Бета", "Гамма", "Двойник", "Двойник"}));

        // The second of two equal titles opens its own file.
        combo->setCurrentIndex(4);
        Click(chose, "Command1");
        QVERIFY(Shown<frmMain>());
        QCOMPARE(Shown<frmMain>()->windowTitle(), QString("Двойник (3)"));
        QVERIFY(Boxes().isEmpty());
    }

    void missingFolderIsCreatedAndEnterDoesNothing()
    {
        frmChose *chose = OpenShown();
        QVERIFY(chose);
        QVERIFY(QDir(InFolder("Tests")).exists());
        QVERIFY(!Child(chose, "Command1")->isEnabled());
        QTest::keyClick(Child(chose, "Text1"), Qt::Key_Return);
        QVERIFY(!Shown<frmMain>());
        QCOMPARE(Shown<frmChose>(), chose);
        QVERIFY(Boxes().isEmpty());
    }

    void enterAcceptsWithTheNameAsTyped()
    {
        WriteBase("geo.bse", "География");
        auto *name = Child<QLineEdit>(OpenShown(), "Text1");
        name->clear();
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(Shown<frmMain>() && !Shown<frmChose>());
        QCOMPARE(m_state.UserName, std::string());
        QCOMPARE(FromCp1251(m_state.TestTitle), QString("География"));
    }

    void commandLineHandsOverWithoutShowingTheWindow()
    {
        // Only the question window checks the header; a blank before it does not matter here.
        QStringList lines = TestFiles::Base("Химия", TestFiles::Numbered(4));
        lines[0].prepend(' ');
        m_platform.command = InFolder("Другая папка/химия.bse");
        TestFiles::WriteLines(m_platform.command, lines);
        QVERIFY(!OpenShown());
        QVERIFY(Shown<frmMain>());
        QCOMPARE(Shown<frmMain>()->windowTitle(), QString("Химия (4)"));
        QCOMPARE(FromCp1251(m_state.UserName), QString("Тестируемый"));
        QVERIFY(Boxes().isEmpty());
    }

    void unreadableCommandLineShowsTheFailureAndAnEmptyWindow()
    {
        m_platform.command = InFolder("нет такого.bse");
        frmChose *chose = OpenShown();
        QCOMPARE(Boxes(), QStringList{"Critical: Файл не найден"});
        QVERIFY(chose);
        QCOMPARE(Child<QComboBox>(chose, "Combo1")->count(), 0);
        QCOMPARE(m_platform.endings, 0);
    }

    void secondCopyOnlyWarnsAndEnds()
    {
        m_platform.otherCopyRunning = true;
        QVERIFY(!OpenShown());
        QCOMPARE(Boxes(), QStringList{"Exclamation: Программа Zorvanta Test уже запущена !!!"});
        QCOMPARE(m_platform.endings, 1);
    }

    void closeEndsTheProgram()
    {
        Click(OpenShown(), "cmdClose");
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!Shown<frmChose>());
    }

    void commandTextJoinsArgumentsAndDropsQuotes()
    {
        QCOMPARE(CommandText({"prog"}), QString());
        QCOMPARE(CommandText({"prog", "/tmp/a b.bse"}), QString("/tmp/a b.bse"));
        QCOMPARE(CommandText({"prog", "/tmp/a", "b.bse"}), QString("/tmp/a b.bse"));
        QCOMPARE(CommandText({"prog", "\"C:\\Тесты\\a.bse\""}), QString("C:\\Тесты\\a.bse"));
        QCOMPARE(CommandText({"prog", "\""}), QString("\""));
    }
};

QTEST_MAIN(tst_frmChose)
#include "tst_frmChose.moc"
