#include "winutil/StopResize.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include "winutil/SizeLimits.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <utility>

namespace StopResize {
#ifdef _WIN32
namespace {
// One limited window at a time: the question window is the only one.
HWND LimitWnd = nullptr;
WNDPROC PrevWndProc = nullptr;
SizeLimitValues Limits;

// Put in front of the window's own procedure: answers the platform's size-limit query with the limits,
// after the window's procedure has filled the record, and passes every other message on unchanged.
LRESULT CALLBACK SizeLimitProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_GETMINMAXINFO) {
        return CallWindowProcW(PrevWndProc, window, message, wParam, lParam);
    }
    CallWindowProcW(PrevWndProc, window, message, wParam, lParam);
    // The engine's record has the platform's layout.
    SizeLimits::MINMAXINFO info;
    static_assert(sizeof info == sizeof(::MINMAXINFO));
    std::memcpy(&info, reinterpret_cast<const void *>(lParam), sizeof info);
    ApplySizeLimits(Limits, info);
    // A minimum larger than the screen's free area gives way to it, so the window stays on the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT &work = monitor.rcWork;
        info.ptMinTrackSize =
            FitWithin(info.ptMinTrackSize, {work.right - work.left, work.bottom - work.top});
    }
    std::memcpy(reinterpret_cast<void *>(lParam), &info, sizeof info);
    return 0;
}
} // namespace

void SetSizeLimits(QWidget *window, float minWidth, float minHeight, float maxWidth, float maxHeight)
{
    ClearSizeLimits(window);
    Limits = {minWidth, minHeight, maxWidth, maxHeight};
    LimitWnd = reinterpret_cast<HWND>(window->winId());
    PrevWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(LimitWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SizeLimitProc)));
}

void ClearSizeLimits(QWidget *)
{
    if (LimitWnd != nullptr) {
        SetWindowLongPtrW(LimitWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
        LimitWnd = nullptr;
    }
}
#else
namespace {
// Frame and caption around the client area until the window manager has told the real ones.
constexpr QSize DesignMargins(8, 27);

// Keeps the limited window's own size limits in step with its frame, which is known only once the
// window is shown and may change with its state.
class Limiter final : public QObject
{
public:
    // Belongs to the window, so that it goes with it.
    Limiter(QWidget *window, const SizeLimitValues &limits)
        : QObject(window), m_window(window), m_limits(limits), m_ownMin(window->minimumSize()),
          m_ownMax(window->maximumSize())
    {
        setObjectName(Name);
        window->installEventFilter(this);
        Apply();
        FitToScreen();
    }

    static constexpr const char *Name = "StopResize";

    // Gives the window back the limits it had of its own.
    void Restore()
    {
        m_window->removeEventFilter(this);
        m_window->setMinimumSize(m_ownMin);
        m_window->setMaximumSize(m_ownMax);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Resize:
        case QEvent::Move: {
            const bool measured = MeasureMargins();
            Apply();
            // The real frame is known only now; the window must still fit with it.
            if (measured && std::exchange(m_opening, false)) {
                FitToScreen();
            }
            break;
        }
        case QEvent::WindowStateChange:
            // The state changes before the frame does: the frame seen now may still be the old state's.
            Apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The frame of the normal state: a maximised window loses its borders, and limits taken from it would
    // make the restored window larger than the user left it.
    // True when the frame has been measured.
    bool MeasureMargins()
    {
        const bool normal =
            !(m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
        const QSize outer = m_window->frameGeometry().size();
        const QSize inner = m_window->geometry().size();
        if (normal && m_window->isVisible() && outer != inner) {
            m_normalMargins = outer - inner;
            return true;
        }
        return false;
    }

    SizeLimits::PointL WorkArea() const
    {
        const QSize area = m_window->screen()->availableGeometry().size();
        return {area.width(), area.height()};
    }

    // A window opens no larger than the screen's free area, and on it.
    void FitToScreen()
    {
        const QSize margins = m_normalMargins;
        const SizeLimits::PointL outer = FitWithin(
            {m_window->width() + margins.width(), m_window->height() + margins.height()}, WorkArea());
        m_window->resize(outer.x - margins.width(), outer.y - margins.height());
        if (m_window->isVisible()) {
            const QRect area = m_window->screen()->availableGeometry();
            QRect frame(m_window->frameGeometry().topLeft(), QSize(outer.x, outer.y));
            frame.moveRight(std::min(frame.right(), area.right()));
            frame.moveBottom(std::min(frame.bottom(), area.bottom()));
            frame.moveLeft(std::max(frame.left(), area.left()));
            frame.moveTop(std::max(frame.top(), area.top()));
            m_window->move(frame.topLeft());
        }
    }

    // The limits are outer sizes; the window's own limits are client sizes.
    void Apply()
    {
        const QSize margins = m_normalMargins;
        SizeLimits::MINMAXINFO info;
        info.ptMinTrackSize = {m_ownMin.width() + margins.width(), m_ownMin.height() + margins.height()};
        info.ptMaxTrackSize = {m_ownMax.width() + margins.width(), m_ownMax.height() + margins.height()};
        ApplySizeLimits(m_limits, info);
        info.ptMinTrackSize = FitWithin(info.ptMinTrackSize, WorkArea());
        const auto client = [](std::int32_t outer, int margin) {
            return std::clamp(outer - margin, 0, QWIDGETSIZE_MAX);
        };
        m_window->setMinimumSize(client(info.ptMinTrackSize.x, margins.width()),
                                 client(info.ptMinTrackSize.y, margins.height()));
        m_window->setMaximumSize(client(info.ptMaxTrackSize.x, margins.width()),
                                 client(info.ptMaxTrackSize.y, margins.height()));
    }

    QWidget *m_window;
    SizeLimitValues m_limits;
    QSize m_ownMin;
    QSize m_ownMax;
    QSize m_normalMargins = DesignMargins;
    bool m_opening = true;
};
} // namespace

void SetSizeLimits(QWidget *window, float minWidth, float minHeight, float maxWidth, float maxHeight)
{
    ClearSizeLimits(window);
    new Limiter(window, SizeLimitValues{minWidth, minHeight, maxWidth, maxHeight});
}

void ClearSizeLimits(QWidget *window)
{
    if (auto *limiter =
            static_cast<Limiter *>(window->findChild<QObject *>(Limiter::Name, Qt::FindDirectChildrenOnly))) {
        limiter->Restore();
        delete limiter;
    }
}
#endif
} // namespace StopResize
