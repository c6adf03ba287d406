#include "../winutil/WindowTest.h"

#include "app/frmChose.h"
#include "testrun/frmMain.h"
#include "winutil/UiText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_frmChose : public WindowTest
{
    Q_OBJECT

private:
    void WriteBase(const QString &name, const QStringList &lines)
    {
        QDir().mkpath(InFolder("Tests"));
        TestFiles::WriteLines(InFolder("Tests/" + name), lines);
    }
    void WriteBase(const QString &name, const QString &title, int questions = 2)
    {
        WriteBase(name, TestFiles::Base(title, TestFiles::Numbered(questions)));
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
        WriteBase("c.bse", {"[zorvantabasefile.2.0]", "  Гамма", "x", "y"});
        WriteBase("0.bse", {" [ZorvantaBaseFile.2.0]", "  С пробелом"});
        WriteBase("1.bse", {"[ZorvantaBaseFile.2.0]"});
        WriteBase("2.bse", {"Какой-то текст", "  Чужой"});
        WriteBase(".hidden.bse", {"[ZorvantaBaseFile.2.0]", "  Скрытый"});
        WriteBase("note.txt", {"[ZorvantaBaseFile.2.0]", "  Текст"});
        WriteBase("short.bse", {"[ZorvantaBaseFile.2.0]", "X"});

        frmChose *chose = OpenShown();
        QVERIFY(chose);
        auto *combo = Child<QComboBox>(chose, "Combo1");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
        QCOMPARE(items, (QStringList{"Альфа", "Бета", "Гамма", "Двойник", "Двойник", ""}));
        QVERIFY(m_platform.shown.empty());

        // The second of two equal titles opens its own file.
        combo->setCurrentIndex(4);
        Click(chose, "Command1");
        auto *main = Shown<frmMain>();
        QVERIFY(main);
        QCOMPARE(FromPathString(m_state.BaseFile), InFolder("Tests/dup2.bse"));
        QCOMPARE(main->windowTitle(), QString("Двойник (3)"));
    }

    void missingFolderIsCreatedAndNothingIsListed()
    {
        frmChose *chose = OpenShown();
        QVERIFY(chose);
        QVERIFY(QDir(InFolder("Tests")).exists());
        QCOMPARE(Child<QComboBox>(chose, "Combo1")->count(), 0);
        QVERIFY(!Child(chose, "Command1")->isEnabled());
        QVERIFY(m_platform.shown.empty());

        QTest::keyClick(Child(chose, "Text1"), Qt::Key_Return);
        QVERIFY(!Shown<frmMain>());
        QCOMPARE(Shown<frmChose>(), chose);
    }

    void enterAcceptsWithTheNameAsTyped()
    {
        WriteBase("geo.bse", "География");
        auto *name = Child<QLineEdit>(OpenShown(), "Text1");
        name->clear();
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(Shown<frmMain>());
        QVERIFY(!Shown<frmChose>());
        QCOMPARE(m_state.UserName, std::string());
        QCOMPARE(FromCp1251(m_state.TestTitle), QString("География"));
    }

    void commandLineHandsOverWithoutShowingTheWindow()
    {
        QDir().mkpath(InFolder("Другая папка"));
        // Only the question window checks the header; a blank before it does not matter here.
        QStringList lines = TestFiles::Base("Химия", TestFiles::Numbered(4));
        lines[0].prepend(' ');
        TestFiles::WriteLines(InFolder("Другая папка/химия.bse"), lines);
        m_platform.command = InFolder("Другая папка/химия.bse");
        QVERIFY(!OpenShown());
        auto *main = Shown<frmMain>();
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("Химия (4)"));
        QCOMPARE(FromCp1251(m_state.UserName), QString("Тестируемый"));
        QVERIFY(m_platform.shown.empty());
    }

    void unreadableCommandLineShowsTheFailureAndAnEmptyWindow()
    {
        m_platform.command = InFolder("нет такого.bse");
        frmChose *chose = OpenShown();
        QCOMPARE(m_platform.shown.size(), size_t(1));
        QCOMPARE(m_platform.shown[0].text, QString("Файл не найден"));
        QCOMPARE(m_platform.shown[0].icon, Platform::Icon::Critical);
        QVERIFY(chose);
        QCOMPARE(Child<QComboBox>(chose, "Combo1")->count(), 0);
        QVERIFY(!Child(chose, "Command1")->isEnabled());
        QCOMPARE(m_platform.endings, 0);
    }

    void secondCopyOnlyWarnsAndEnds()
    {
        m_platform.otherCopyRunning = true;
        QVERIFY(!OpenShown());
        QCOMPARE(m_platform.shown.size(), size_t(1));
        QCOMPARE(m_platform.shown[0].text, QString("Программа Zorvanta Test уже запущена !!!"));
        QCOMPARE(m_platform.shown[0].icon, Platform::Icon::Exclamation);
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
