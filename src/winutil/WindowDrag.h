#pragma once

#include <initializer_list>

class QWidget;

// Moves a borderless window while any mouse button is held on its background or on the listed controls.
// Where a program may place its own window (Windows, X11) the window follows the pointer until the button
// is released; on Wayland the press is handed to the platform's own move.
namespace WindowDrag
{
// The window's background and each of handles start a move on a press of any mouse button.
void Start(QWidget *window, std::initializer_list<QWidget *> handles);
} // namespace WindowDrag
