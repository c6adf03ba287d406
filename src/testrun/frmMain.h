#pragma once

#include "testrun/Layout.h"
#include "testrun/TestRun.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class frmMain;
}
class QLabel;
class QPlainTextEdit;
class Platform;

// The question window: loads the base, shows one question at a time with its clocks, and hands the
// finished test to the results window. Every rule lives in TestRun; this class shows and forwards.
class frmMain final : public QWidget
{
    Q_OBJECT
public:
    frmMain(TestState &state, Platform &platform, QWidget *parent = nullptr);
    ~frmMain() override;

    // Loads the base named in the state and shows the window, or does what the load failure demands.
    static void Open(TestState &state, Platform &platform);

    const TestRun &Run() const { return m_run; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Why the window closes: only an abandoned test (or the title-bar button) ends the program here.
    enum class Closing
    {
        Abandon,
        Results,
        Reselect,
        Failed,
    };

    bool Form_Load();
    void Form_Unload();
    void Opt_Click(int k);
    void cmdNext_Click();
    void cmdCancel_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Act(Outcome outcome);
    void CloseFor(Closing reason);
    void ShowQuestion();
    void ShowMarkers();
    void ShowClocks();
    void ApplyLayout();
    void SetFonts();

    std::unique_ptr<Ui::frmMain> m_ui;
    TestState &m_state;
    Platform &m_platform;
    TestRun m_run;
    MainLayout m_layout;
    Closing m_closing = Closing::Abandon;
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;
    std::array<QLabel *, 5> m_markers{};
    std::array<QPlainTextEdit *, 5> m_answers{};
};
