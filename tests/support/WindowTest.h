#pragma once

#include "ScriptedPlatform.h"
#include "TestFiles.h"

#include "app/BasePreload.h"
#include "app/Flow.h"
#include "testbase/TestState.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

class frmMain;

// The visible top-level window of a type; null when none is showing.
template <typename T> T *Shown()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    }
    return nullptr;
}

// A named control of a window; a misspelt name stops the program rather than pass for a missing control.
template <typename T = QWidget> T *Child(const QWidget *window, const char *name)
{
    auto *child = window->findChild<T *>(name);
    if (child == nullptr)
        qFatal("no control %s", name);
    return child;
}

// What a label, line box or text box shows; of several controls, their texts joined by " | ".
QString Text(const QWidget *window, const char *name);
QString Text(const QWidget *window, std::initializer_list<const char *> names);
// The slots of the question window whose marker shows the tick, as their numbers: "2" when b) alone is
// chosen.
QString Ticked(const frmMain *window);
// A left click on a control; on a text box it lands in the text, where the examinee clicks.
void Click(const QWidget *window, const char *name);
void SendMouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held);
// Presses a button on a control (at its middle unless told), drags the pointer by a distance and lets go.
void Drag(QWidget *control, QPoint by, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);

// The area a window shows, in device pixels: on Windows the region the system holds for it, elsewhere
// the mask Qt keeps.
QRegion Shape(QWidget *window);
#ifdef _WIN32
// The region the system itself makes of a rounded rectangle from the origin.
QRegion SystemRoundRect(int right, int bottom, int ellipse);
#endif

// Lets the program's queued steps run: the road between windows goes on from the event loop.
void Settle();

// Each window test starts in an empty program folder with a fresh platform, test state and road between
// the windows, and leaves no window behind.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    QString InFolder(const QString &name) const { return m_dir.path() + '/' + name; }
    // Starts the program and lets it run until it waits for the examinee.
    void Start()
    {
        m_flow->Start();
        Settle();
    }
    // The program started on a base with these lines, from the command line: the question window, or
    // null when the base did not load. preloaded: loaded ahead on a thread, as the program's start does.
    frmMain *StartOn(const QStringList &lines, bool preloaded = false);

    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    TestState m_state;
    std::optional<BasePreload> m_preload;
    std::unique_ptr<Flow> m_flow;

private slots:
    void init();
    void cleanup();
};
