#include "winutil/EnterKey.h"

#include "winutil/HeldKey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#ifdef _WIN32
#include <QAbstractNativeEventFilter>

#include <windows.h>
#endif

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

#ifdef _WIN32
// Windows marks each repeat of a held key in its message: the key was already down. Such a press of a
// key that presses buttons is dropped before Qt sees it, with the character it would type. Qt's own mark
// cannot serve: it also falls on the first press after a release that went to a window now gone.
class RepeatMessages final : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit RepeatMessages(QObject *owner) : QObject(owner)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~RepeatMessages() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        constexpr LPARAM WasDown = LPARAM(1) << 30;
        if ((msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) || (msg->lParam & WasDown) == 0 ||
            !PressesButtons(msg->wParam)) {
            return false;
        }
        MSG typed;
        if (PeekMessageW(&typed, msg->hwnd, WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
            (typed.wParam == L'\r' || typed.wParam == L' ')) {
            PeekMessageW(&typed, msg->hwnd, WM_CHAR, WM_CHAR, PM_REMOVE);
        }
        return true;
    }

private:
    // Enter (either), and Space where a button has the focus: in a text box its repeats type blanks.
    static bool PressesButtons(WPARAM key)
    {
        return key == VK_RETURN ||
               (key == VK_SPACE && qobject_cast<QAbstractButton *>(QApplication::focusWidget()) != nullptr);
    }
};
#else
// Sees every key event the window system delivers: each reaches a window before its widgets, so it is
// judged there, once, whichever window or message box has the focus. Enter, and Space on a button, act
// once per press however long the key is held.
class RepeatFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWindowType() ||
            (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) {
            return false;
        }
        const auto *key = static_cast<const QKeyEvent *>(event);
        HeldKey *held = Held(key->key());
        if (held == nullptr) {
            return false;
        }
        if (event->type() == QEvent::KeyRelease) {
            held->Release(key->timestamp());
            return false;
        }
        return !held->NewPress(key->timestamp());
    }

private:
    // The keys that press a button. Space only where a button has the focus: in a text box its repeats
    // type blanks, as they should.
    HeldKey *Held(int key)
    {
        switch (key) {
        case Qt::Key_Return:
            return &m_return;
        case Qt::Key_Enter:
            return &m_keypadEnter;
        case Qt::Key_Space:
            return qobject_cast<QAbstractButton *>(QApplication::focusWidget()) != nullptr ? &m_space
                                                                                           : nullptr;
        default:
            return nullptr;
        }
    }

    HeldKey m_return;
    HeldKey m_keypadEnter;
    HeldKey m_space;
};
#endif
} // namespace

void SetDefault(QWidget *window, QPushButton *button)
{
    button->setDefault(true);
    new DefaultButton(window, button);
}

void IgnoreRepeats(QObject *owner)
{
#ifdef _WIN32
    new RepeatMessages(owner);
#else
    QApplication::instance()->installEventFilter(new RepeatFilter(owner));
#endif
}
} // namespace EnterKey
