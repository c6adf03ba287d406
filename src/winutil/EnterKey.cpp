#include "winutil/EnterKey.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace EnterKey {
namespace {
bool IsEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Sees the Enter presses that the focused control left alone and that travelled up to the window.
class DefaultButton final : public QObject
{
public:
    DefaultButton(QWidget *window, QPushButton *button) : QObject(window), m_window(window), m_button(button)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::KeyPress || !IsEnter(event)) {
            return false;
        }
        auto *focused = qobject_cast<QPushButton *>(m_window->focusWidget());
        QPushButton *target = focused != nullptr ? focused : m_button;
        if (target->isEnabled() && target->isVisible()) {
            target->click();
        }
        return true;
    }

private:
    QWidget *m_window;
    QPushButton *m_button;
};

class RepeatFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return IsEnter(event) && static_cast<QKeyEvent *>(event)->isAutoRepeat();
    }
};
} // namespace

void SetDefault(QWidget *window, QPushButton *button)
{
    button->setDefault(true);
    new DefaultButton(window, button);
}

void IgnoreRepeats(QObject *owner)
{
    QCoreApplication::instance()->installEventFilter(new RepeatFilter(owner));
}
} // namespace EnterKey
