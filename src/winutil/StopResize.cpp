#include "winutil/StopResize.h"

#include "winutil/SizeLimits.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace StopResize {
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
        window->installEventFilter(this);
        Apply();
    }

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
        case QEvent::Move:
        case QEvent::WindowStateChange:
            Apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QSize Margins() const
    {
        const QSize outer = m_window->frameGeometry().size();
        const QSize inner = m_window->geometry().size();
        if (m_window->isVisible() && outer != inner) {
            return outer - inner;
        }
        return DesignMargins;
    }

    // The limits are outer sizes; the window's own limits are client sizes.
    void Apply()
    {
        const QSize margins = Margins();
        MINMAXINFO info;
        info.ptMinTrackSize = {m_ownMin.width() + margins.width(), m_ownMin.height() + margins.height()};
        info.ptMaxTrackSize = {m_ownMax.width() + margins.width(), m_ownMax.height() + margins.height()};
        ApplySizeLimits(m_limits, info);
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
};

// One limited window at a time; null once that window is gone.
QPointer<Limiter> LimitWnd;
} // namespace

void SetSizeLimits(QWidget *window, float minWidth, float minHeight, float maxWidth, float maxHeight)
{
    ClearSizeLimits();
    LimitWnd = new Limiter(window, SizeLimitValues{minWidth, minHeight, maxWidth, maxHeight});
}

void ClearSizeLimits()
{
    if (LimitWnd) {
        LimitWnd->Restore();
        delete LimitWnd;
    }
}
} // namespace StopResize
