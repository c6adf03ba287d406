#pragma once

#include <QWidget>

#include <memory>

struct TestState;
class Platform;
class frmAbout;

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

    // The question window's hand-over: loads the results window and shows it centred on the screen; when
    // the result cannot be written the program ends and the window never shows.
    static void Open(TestState &state, Platform &platform);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool Form_Load();
    void BtnEnh1_Click();
    void Command1_Click();

    std::unique_ptr<Ui::frmEnd> m_ui;
    TestState &m_state;
    Platform &m_platform;
    frmAbout *m_about = nullptr; // made on first use; keeps its colour step between openings
};
