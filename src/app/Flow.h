#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

struct TestState;
class Platform;
class BasePreload;
class QWidget;
class frmChose;
class frmMain;
class frmEnd;
class frmAbout;

// The program's road between its windows. Windows only report what happened; the flow decides which
// window comes next, when a window goes and when the program ends. Every step runs from the event loop
// after the reporting handler has returned, and a window is deleted only from there, so no window ever
// goes while one of its handlers is still running.
class Flow final : public QObject
{
    Q_OBJECT
public:
    // preload, when given, is the base of the command line, loading since the program started.
    Flow(TestState &state, Platform &platform, BasePreload *preload = nullptr);
    ~Flow() override;

    // The selection window loads as soon as the event loop runs.
    void Start();

private:
    void OpenChose(bool modal);
    void OpenMain();
    void MainFinished();
    void OpenEnd();
    void OpenAbout();
    void Retire(QWidget *window);
    void DeleteRetired();
    void End();
    // Runs a step from the event loop, once the handler that asked for it has returned.
    void Later(std::function<void()> step);

    TestState &m_state;
    Platform &m_platform;
    BasePreload *m_preload;
    QPointer<frmChose> m_chose;
    QPointer<frmMain> m_main;
    QPointer<frmEnd> m_end;
    QPointer<frmAbout> m_about;               // one window for every opening: its colour cycle carries on
    std::vector<QPointer<QWidget>> m_retired; // closed, to be deleted once nothing of theirs runs
    int m_loopLevel = -1;                     // the event loop the road runs in
};
