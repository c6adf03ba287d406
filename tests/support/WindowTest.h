#pragma once

#include "ScriptedPlatform.h"
#include "TestFiles.h"

#include "testbase/TestState.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

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
// A left click on a control; on a text box it lands in the text, where the examinee clicks.
void Click(const QWidget *window, const char *name);
void SendMouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held);
// Presses a button on a control (at its middle unless told), drags the pointer by a distance and lets go.
void Drag(QWidget *control, QPoint by, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);

// Each window test starts in an empty program folder with a fresh platform and test state, and leaves no
// window behind.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    QString InFolder(const QString &name) const { return m_dir.path() + '/' + name; }

    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    TestState m_state;

private slots:
    void init();
    void cleanup();
};
