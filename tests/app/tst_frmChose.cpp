#include "../winutil/ScriptedPlatform.h"
#include "../winutil/TestFiles.h"

#include "app/frmChose.h"
#include "testbase/TestState.h"
#include "testrun/frmMain.h"
#include "winutil/QtPlatform.h"
#include "winutil/UiText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
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

QStringList Items(QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}
} // namespace

class tst_frmChose : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    TestState m_state;

    QString Tests() const { return m_dir.path() + "/Tests"; }
    void Base(const QString &name, const QString &title, int questions = 2)
    {
        TestFiles::WriteLines(Tests() + "/" + name, TestFiles::Base(title, TestFiles::Numbered(questions)));
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

    void listsValidBasesInNameOrderAndSkipsTheRest()
    {
        QDir().mkpath(Tests());
        Base("b.bse", "Бета");
        Base("A.BSE", "Альфа");
        Base("dup2.bse", "Двойник", 3);
        Base("dup1.bse", "Двойник", 5);
        TestFiles::WriteLines(Tests() + "/c.bse", {"[zorvantabasefile.2.0]", "  Гамма", "x", "y"});
        TestFiles::WriteLines(Tests() + "/0.bse", {" [ZorvantaBaseFile.2.0]", "  С пробелом"});
        TestFiles::WriteLines(Tests() + "/1.bse", {"[ZorvantaBaseFile.2.0]"});
        TestFiles::WriteLines(Tests() + "/2.bse", {"Какой-то текст", "  Чужой"});
        TestFiles::WriteLines(Tests() + "/.hidden.bse", {"[ZorvantaBaseFile.2.0]", "  Скрытый"});
        TestFiles::WriteLines(Tests() + "/note.txt", {"[ZorvantaBaseFile.2.0]", "  Текст"});
        TestFiles::WriteLines(Tests() + "/short.bse", {"[ZorvantaBaseFile.2.0]", "X"});

        frmChose::Open(m_state, m_platform);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose);
        auto *combo = chose->findChild<QComboBox *>("Combo1");
        QCOMPARE(Items(combo), (QStringList{"Альфа", "Бета", "Гамма", "Двойник", "Двойник", ""}));
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(chose->findChild<QPushButton *>("Command1")->isEnabled());
        QVERIFY(m_platform.shown.empty());
        QCOMPARE(chose->findChild<QLineEdit *>("Text1")->selectedText(), QString("Тестируемый"));

        // The second of two equal titles opens its own file.
        combo->setCurrentIndex(4);
        QTest::mouseClick(chose->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        auto *main = Shown<frmMain>();
        QVERIFY(main);
        QCOMPARE(FromPathString(m_state.BaseFile), Tests() + "/dup2.bse");
        QCOMPARE(main->windowTitle(), QString("Двойник (3)"));
        QCOMPARE(FromCp1251(m_state.UserName), QString("Тестируемый"));
    }

    void missingFolderIsCreatedAndNothingIsListed()
    {
        frmChose::Open(m_state, m_platform);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose);
        QVERIFY(QDir(Tests()).exists());
        QCOMPARE(chose->findChild<QComboBox *>("Combo1")->count(), 0);
        QVERIFY(!chose->findChild<QPushButton *>("Command1")->isEnabled());
        QVERIFY(m_platform.shown.empty());

        // Enter in the name box with nothing listed does nothing.
        QTest::keyClick(chose->findChild<QLineEdit *>("Text1"), Qt::Key_Return);
        QVERIFY(!Shown<frmMain>());
        QCOMPARE(Shown<frmChose>(), chose);
    }

    void enterAcceptsWithTheNameAsTyped()
    {
        QDir().mkpath(Tests());
        Base("geo.bse", "География");
        frmChose::Open(m_state, m_platform);
        auto *name = Shown<frmChose>()->findChild<QLineEdit *>("Text1");
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(Shown<frmMain>());
        QVERIFY(!Shown<frmChose>());
        QCOMPARE(m_state.UserName, std::string());
        QCOMPARE(FromCp1251(m_state.TestTitle), QString("География"));
    }

    void commandLineHandsOverWithoutShowingTheWindow()
    {
        const QString base = m_dir.path() + "/Другая папка/химия.bse";
        QDir().mkpath(m_dir.path() + "/Другая папка");
        // Only the question window checks the header; a blank before it does not matter here.
        TestFiles::WriteLines(base, TestFiles::Base("Химия", TestFiles::Numbered(4)).replaceInStrings(
                                        "[ZorvantaBaseFile.2.0]", " [ZorvantaBaseFile.2.0]"));
        m_platform.command = base;
        frmChose::Open(m_state, m_platform);
        QVERIFY(!Shown<frmChose>());
        auto *main = Shown<frmMain>();
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), QString("Химия (4)"));
        QCOMPARE(FromCp1251(m_state.UserName), QString("Тестируемый"));
        QVERIFY(m_platform.shown.empty());
    }

    void unreadableCommandLineShowsTheFailureAndAnEmptyWindow()
    {
        m_platform.command = m_dir.path() + "/нет такого.bse";
        frmChose::Open(m_state, m_platform);
        QCOMPARE(m_platform.shown.size(), size_t(1));
        QCOMPARE(m_platform.shown[0].text, QString("Файл не найден"));
        QCOMPARE(m_platform.shown[0].icon, Platform::Icon::Critical);
        auto *chose = Shown<frmChose>();
        QVERIFY(chose);
        QCOMPARE(chose->findChild<QComboBox *>("Combo1")->count(), 0);
        QVERIFY(!chose->findChild<QPushButton *>("Command1")->isEnabled());
        QCOMPARE(m_platform.endings, 0);
    }

    void secondCopyOnlyWarnsAndEnds()
    {
        m_platform.otherCopyRunning = true;
        frmChose::Open(m_state, m_platform);
        QCOMPARE(m_platform.shown.size(), size_t(1));
        QCOMPARE(m_platform.shown[0].text, QString("Программа Zorvanta Test уже запущена !!!"));
        QCOMPARE(m_platform.shown[0].icon, Platform::Icon::Exclamation);
        QCOMPARE(m_platform.endings, 1);
        QVERIFY(!Shown<frmChose>());
    }

    void closeEndsTheProgram()
    {
        frmChose::Open(m_state, m_platform);
        QTest::mouseClick(Shown<frmChose>()->findChild<QPushButton *>("cmdClose"), Qt::LeftButton);
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
