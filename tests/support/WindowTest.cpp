#include "WindowTest.h"

#include "testrun/frmMain.h"
#include "winutil/EnterKey.h"

#include <QAbstractScrollArea>
#include <QLabel>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

QString Text(const QWidget *window, const char *name)
{
    const QWidget *control = Child(window, name);
    // Labels and line boxes hold a "text"; text boxes have none and hold a "plainText".
    const QVariant text = control->property("text");
    return text.isValid() ? text.toString() : control->property("plainText").toString();
}

QString Text(const QWidget *window, std::initializer_list<const char *> names)
{
    QStringList texts;
    for (const char *name : names)
        texts << Text(window, name);
    return texts.join(" | ");
}

QString Ticked(const frmMain *window)
{
    const QImage tick = Child<QLabel>(window, "Image2")->pixmap().toImage();
    QString ticked;
    for (const char *marker : {"Opt1", "Opt2", "Opt3", "Opt4"}) {
        auto *label = Child<QLabel>(window, marker);
        // What the examinee sees: a disabled label would draw its picture dimmed.
        if (label->isEnabled() && label->pixmap().toImage() == tick)
            ticked += marker[3];
    }
    return ticked;
}

void Click(const QWidget *window, const char *name)
{
    QWidget *control = Child(window, name);
    if (auto *box = qobject_cast<QAbstractScrollArea *>(control))
        control = box->viewport();
    QTest::mouseClick(control, Qt::LeftButton);
}

namespace {
void Send(QWidget *to, QEvent::Type type, QPoint at, QPoint global, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent event(type, at, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}
} // namespace

void SendMouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    Send(to, type, at, to->mapToGlobal(at), button, held);
}

void Drag(QWidget *control, QPoint by, QPoint at, Qt::MouseButton button)
{
    if (at.isNull())
        at = control->rect().center();
    // The pointer's screen position, fixed before the window starts to follow it.
    const QPoint global = control->mapToGlobal(at);
    Send(control, QEvent::MouseButtonPress, at, global, button, button);
    Send(control, QEvent::MouseMove, at + by, global + by, Qt::NoButton, button);
    Send(control, QEvent::MouseButtonRelease, at + by, global + by, button, Qt::NoButton);
}

#ifdef _WIN32
namespace {
// The rectangles of a system region, which is then deleted.
QRegion Taken(HRGN region)
{
    QRegion shape;
    std::vector<char> data(GetRegionData(region, 0, nullptr));
    if (!data.empty()) {
        auto *header = reinterpret_cast<RGNDATA *>(data.data());
        GetRegionData(region, DWORD(data.size()), header);
        const auto *rects = reinterpret_cast<const RECT *>(header->Buffer);
        for (DWORD i = 0; i < header->rdh.nCount; ++i)
            shape += QRect(rects[i].left, rects[i].top, rects[i].right - rects[i].left,
                           rects[i].bottom - rects[i].top);
    }
    DeleteObject(region);
    return shape;
}
} // namespace

QRegion SystemRoundRect(int right, int bottom, int ellipse)
{
    return Taken(CreateRoundRectRgn(0, 0, right, bottom, ellipse, ellipse));
}
#endif

QRegion Shape(QWidget *window)
{
#ifdef _WIN32
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(reinterpret_cast<HWND>(window->winId()), region) == ERROR) {
        SetRectRgn(region, 0, 0, 0, 0);
    }
    return Taken(region);
#else
    return window->mask();
#endif
}

void Settle()
{
    for (int pass = 0; pass < 4; ++pass) {
        QCoreApplication::sendPostedEvents();
    }
}

frmMain *WindowTest::StartOn(const QStringList &lines, bool preloaded)
{
    TestFiles::WriteLines(InFolder("base.bse"), lines);
    m_platform.command = InFolder("base.bse");
    if (preloaded) {
        m_preload.emplace(m_platform.command.toStdU16String());
        m_flow = std::make_unique<Flow>(m_state, m_platform, &*m_preload);
        EnterKey::IgnoreRepeats(m_flow.get());
    }
    Start();
    return Shown<frmMain>();
}

void WindowTest::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    m_platform = ScriptedPlatform();
    m_platform.appPath = m_dir.path();
    m_state = TestState();
    m_flow = std::make_unique<Flow>(m_state, m_platform);
    EnterKey::IgnoreRepeats(m_flow.get()); // as the program's start does
}

void WindowTest::cleanup()
{
    m_flow.reset();
    m_preload.reset();
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        w->hide();
        w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
