#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmChose;
}
struct TestState;
class Platform;

// The first window: refuses a second copy, then takes the base from the command line or lists the topics
// of the Tests folder and hands the chosen one, with the examinee's name, to the question window.
class frmChose final : public QWidget
{
    Q_OBJECT
public:
    frmChose(TestState &state, Platform &platform, QWidget *parent = nullptr);
    ~frmChose() override;

    // Loads the window and then shows it, hands over at once, or ends the program. modal: reopened by the
    // question window after a base with a wrong header.
    static void Open(TestState &state, Platform &platform, bool modal = false);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Loaded
    {
        Shown,
        HandedOver,
        Ended,
    };
    Loaded Form_Load();
    bool TakeCommandLine(const QString &command);
    void ListTopics();
    void ErrorPath(const QString &description);
    void Command1_Click();
    void cmdClose_Click();
    void HandOver();

    std::unique_ptr<Ui::frmChose> m_ui;
    TestState &m_state;
    Platform &m_platform;
    QString TestsFolder;
    bool m_handedOver = false;
};
