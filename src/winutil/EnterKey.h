#pragma once

class QObject;
class QPushButton;
class QWidget;

// Enter as the platform's dialogs take it: it presses the focused push button, and anywhere else the
// window's default button.
namespace EnterKey {
// Makes button the window's default button, drawn as such; Enter that no control takes presses it.
void SetDefault(QWidget *window, QPushButton *button);
// One press of Enter, or of Space on a button, however long it is held, acts once: the repeats of a held
// key reach no window or message box. Holds while owner lives.
void IgnoreRepeats(QObject *owner);
} // namespace EnterKey
