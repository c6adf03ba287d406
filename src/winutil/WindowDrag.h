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
// Watches the presses of one window. A press and release that did not move the window is a click.
class Mover final : public QObject
{
    Q_OBJECT
public:
    Mover(QWidget *window, std::initializer_list<QWidget *> handles);

signals:
    // A press on control (the window itself or one of the handles) ended without moving the window.
    void clicked(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool StartsMove(QWidget *watched, const QPoint &pos) const;
    void Follow(const QPointF &globalPos);
    void Stop();

    QWidget *m_window;
    QList<QWidget *> m_handles;
    QPointer<QWidget> m_pressed; // the control under the held button; null when no button is held
    Qt::MouseButton m_button = Qt::NoButton;
    QPointF m_pressGlobal;
    QPoint m_startPos;
    bool m_moved = false;
    bool m_clickable = false;
};

// The window's background and each of handles start a move on a press of any mouse button. The mover
// belongs to the window.
Mover *Start(QWidget *window, std::initializer_list<QWidget *> handles);
} // namespace WindowDrag
