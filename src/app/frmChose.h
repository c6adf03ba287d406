#pragma once

#include <QWidget>

#include <filesystem>
#include <memory>
#include <vector>

namespace Ui {
class frmChose;
}
struct TestState;
struct Topic;
class Platform;

// The first window: refuses a second copy, then takes the base from the command line or lists the topics
// of the Tests folder and hands the chosen one, with the examinee's name, over to the question window.
class frmChose final : public QWidget
{
    Q_OBJECT
public:
    frmChose(TestState &state, Platform &platform, QWidget *parent = nullptr);
    ~frmChose() override;

    enum class Loaded
    {
        Shown,       // waiting for a choice: to be shown
        CommandLine, // the base of the command line is handed over; never shown
        SecondCopy,  // another copy runs; the program ends
    };
    Loaded Form_Load();
    // Typing replaces the initial name.
    void FocusName();

signals:
    // TestTitle, BaseFile and UserName hold the choice; the window has closed.
    void accepted();
    // Closed without a choice.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void TakeCommandLine(const std::filesystem::path &command);
    void ListTopics();
    void ErrorPath(const QString &description);
    void Command1_Click();

    std::unique_ptr<Ui::frmChose> m_ui;
    TestState &m_state;
    Platform &m_platform;
    std::filesystem::path TestsFolder;
    std::vector<Topic> m_topics; // behind the entries of Combo1, in the same order
    bool m_accepted = false;
};
