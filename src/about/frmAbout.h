#pragma once

#include <QDialog>

#include <memory>

class Platform;
class QTimer;

namespace Ui {
class frmAbout;
}

// The About window: a free text from beside the program and a logo whose colour cycles through five
// blues. One object serves every opening, so the cycle carries on where the last opening left it.
class frmAbout final : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(Platform &platform, QWidget *parent = nullptr);
    ~frmAbout() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Form_Load();
    // One colour step of the logo; the window's timer calls it every 200 ms while the window is open.
    void Timer1_Timer();
    void Label1_Click();

    std::unique_ptr<Ui::frmAbout> m_ui;
    Platform &m_platform;
    QTimer *m_timer;
    int BlinkStep = 0; // 1 to 5 once the cycle has begun
    bool BlinkPaused = false;
};
