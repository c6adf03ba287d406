#include "winutil/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace WindowDrag {
namespace {
// A Wayland program cannot place its own window; only the compositor can move it.
bool OnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

Mover::Mover(QWidget *window, std::initializer_list<QWidget *> handles, QWidget *clickable)
    : QObject(window), m_window(window), m_handles(handles), m_clickable(clickable)
{
    window->installEventFilter(this);
    for (QWidget *handle : handles) {
        handle->installEventFilter(this);
    }
}

// Only a press aimed at the window itself or at a handle counts: presses that other controls ignore
// travel up to their parents, and must not move the window from there.
bool Mover::StartsMove(QWidget *watched, const QPoint &pos) const
{
    QWidget *target = watched->childAt(pos);
    if (target == nullptr) {
        target = watched;
    }
    return target == m_window || m_handles.contains(target);
}

void Mover::Follow(const QPointF &globalPos)
{
    const QPoint delta = (globalPos - m_pressGlobal).toPoint();
    // A hand never holds quite still: a slip under the drag distance is still a click.
    if (m_pressMayClick && !m_moved && delta.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    if (OnWayland()) {
        // The compositor takes the pointer from here on; the release may never reach us.
        Stop();
        if (QWindow *handle = m_window->windowHandle()) {
            handle->startSystemMove();
        }
        return;
    }
    m_moved = true;
    m_window->move(m_startPos + delta);
}

void Mover::Stop()
{
    if (m_pressed) {
        m_pressed->releaseMouse();
        m_pressed = nullptr;
    }
}

bool Mover::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (m_pressed) {
            return true; // a second button during a move changes nothing
        }
        auto *widget = static_cast<QWidget *>(watched);
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!StartsMove(widget, mouse->position().toPoint())) {
            return false;
        }
        m_pressed = widget;
        m_button = mouse->button();
        m_pressGlobal = mouse->globalPosition();
        m_startPos = m_window->pos();
        m_moved = false;
        // A double click is one click and then a double click, not two clicks. Only the left button clicks.
        m_pressMayClick =
            widget == m_clickable && event->type() == QEvent::MouseButtonPress && m_button == Qt::LeftButton;
        // Any button, not only the left one: follow the pointer ourselves rather than ask the window
        // manager, which answers the left button alone and is not always there.
        widget->grabMouse();
        return true;
    }
    case QEvent::MouseMove:
        if (!m_pressed || watched != m_pressed) {
            return false;
        }
        Follow(static_cast<QMouseEvent *>(event)->globalPosition());
        return true;
    case QEvent::MouseButtonRelease: {
        if (!m_pressed || watched != m_pressed) {
            return false;
        }
        if (static_cast<QMouseEvent *>(event)->button() != m_button) {
            return true;
        }
        Stop();
        if (m_pressMayClick && !m_moved) {
            emit clicked();
        }
        return true;
    }
    case QEvent::Hide:
        // A window closed under a held button never sees the release; it must not wait for it.
        if (watched == m_window) {
            Stop();
        }
        return false;
    default:
        return false;
    }
}

Mover *Start(QWidget *window, std::initializer_list<QWidget *> handles, QWidget *clickable)
{
    return new Mover(window, handles, clickable);
}
} // namespace WindowDrag
