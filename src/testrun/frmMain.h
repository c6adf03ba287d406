#pragma once

#include "testbase/Loader.h"
#include "testrun/Layout.h"
#include "testrun/TestRun.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <future>
#include <memory>

namespace Ui {
class frmMain;
}
class QLabel;
class QPlainTextEdit;
class Platform;

// The question window: loads the base, shows one question at a time with its clocks, and reports when
// the test has ended or been left. Every rule lives in TestRun; this class shows and forwards.
class frmMain final : public QWidget
{
    Q_OBJECT
public:
    frmMain(TestState &state, Platform &platform, QWidget *parent = nullptr);
    ~frmMain() override;

    // Loads the base named in the state, or takes it from prepared when that is valid (prepared for that
    // base). On failure its message has been shown and the window is not.
    LoadFailure Form_Load(std::future<PreparedBase> prepared = {});

signals:
    // The test has ended: the last question was submitted or the test time ran out. SpentTime is set.
    void finished();
    // The examinee left the running test: Yes to the question, or the window's close button.
    void abandoned();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Unload();
    bool DoubleClickRest(QEvent *event);
    void Opt_Click(int k);
    void cmdNext_Click();
    void cmdCancel_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Act(Outcome outcome);
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
    bool m_loaded = false;
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;
    std::array<QLabel *, 7> m_covered{}; // the value beneath cover k, 1 to 6
    std::array<QLabel *, 5> m_markers{};
    std::array<QPlainTextEdit *, 5> m_answers{};
    std::uint64_t m_releasedAt = 0;     // event time of the last mouse release on cmdNext
    std::uint64_t m_shownByClickAt = 0; // of the click that put this question up; 0 when no click did
};
