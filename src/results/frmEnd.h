#pragma once

#include <QWidget>

#include <memory>

struct TestState;
class Platform;

namespace Ui {
class frmEnd;
}

// Results of a finished test; appends the result line before it is first shown.
class frmEnd final : public QWidget
{
    Q_OBJECT
public:
    frmEnd(TestState &state, Platform &platform, QWidget *parent = nullptr);
    ~frmEnd() override;

    // Fills the window and writes the result line. False when the line could not be written: the message
    // has been shown, and the window must never show.
    bool Form_Load();

signals:
    void aboutRequested();
    // However the window is closed, the program is over.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::frmEnd> m_ui;
    TestState &m_state;
    Platform &m_platform;
};
