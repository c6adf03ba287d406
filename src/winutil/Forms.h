#pragma once

class QWidget;

namespace Forms {
// Gives a borderless window rounded corners: the rectangle in twips, the corner ellipse in pixels.
// Call before the window is first shown.
void ShapeWindow(double top, double left, double height, double width, double cornerHeight,
                 double cornerWidth, QWidget *window);
// Shows a borderless window with its whole area rounded, centred over the window of opener or, without
// one, on its screen.
void ShowShaped(QWidget *window, const QWidget *opener = nullptr);
// Shows a window centred on the screen it stands on.
void ShowCentred(QWidget *window);
} // namespace Forms
