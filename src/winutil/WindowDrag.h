#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <initializer_list>

class QWidget;

// Moves a borderless window while any mouse button is held on its background or on the listed controls.
// Where a program may place its own window (Windows, X11) the window follows the pointer until the button
// is released; on Wayland the press is handed to the platform's own move.
namespace WindowDrag {
// Watches the presses of one window. The window follows the pointer from the first pixel, except from a
// handle that is also clicked: there a left press and release that stays within the drag distance is a
// click, and only a longer drag moves the window.
class Mover final : public QObject
{
    Q_OBJECT
public:
    Mover(QWidget *window, std::initializer_list<QWidget *> handles, QWidget *clickable);

signals:
    // A left click on the clickable handle.
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool StartsMove(QWidget *watched, const QPoint &pos) const;
    void Follow(const QPointF &globalPos);
    void Stop();

    QWidget *m_window;
    QList<QWidget *> m_handles;
    QWidget *m_clickable;
    QPointer<QWidget> m_pressed; // the control under the held button; null when no button is held
    Qt::MouseButton m_button = Qt::NoButton;
    QPointF m_pressGlobal;
    QPoint m_startPos;
    bool m_moved = false;
    bool m_pressMayClick = false;
};

// The window's background and each of handles start a move on a press of any mouse button; clickable,
// when given, is one of the handles that also takes clicks. The mover belongs to the window.
Mover *Start(QWidget *window, std::initializer_list<QWidget *> handles, QWidget *clickable = nullptr);
} // namespace WindowDrag
