#include "WindowTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

QString Text(const QWidget *window, const char *name)
{
    QWidget *control = Child(window, name);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        return label->text();
    }
    if (auto *line = qobject_cast<QLineEdit *>(control)) {
        return line->text();
    }
    return Child<QPlainTextEdit>(window, name)->toPlainText();
}

void Click(const QWidget *window, const char *name)
{
    QWidget *control = Child(window, name);
    if (auto *box = qobject_cast<QAbstractScrollArea *>(control)) {
        control = box->viewport();
    }
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
    if (at.isNull()) {
        at = control->rect().center();
    }
    // The pointer's screen position, fixed before the window starts to follow it.
    const QPoint global = control->mapToGlobal(at);
    Send(control, QEvent::MouseButtonPress, at, global, button, button);
    Send(control, QEvent::MouseMove, at + by, global + by, Qt::NoButton, button);
    Send(control, QEvent::MouseButtonRelease, at + by, global + by, button, Qt::NoButton);
}

QStringList WindowTest::Boxes() const
{
    QStringList boxes;
    for (const ScriptedPlatform::Shown &box : m_platform.shown) {
        const char *icon = box.icon == Platform::Icon::Critical      ? "Critical: "
                           : box.icon == Platform::Icon::Exclamation ? "Exclamation: "
                                                                     : "Information: ";
        boxes << icon + box.text;
    }
    return boxes;
}

void WindowTest::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    m_platform = ScriptedPlatform();
    m_platform.appPath = m_dir.path();
    m_state = TestState();
}

void WindowTest::cleanup()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        w->hide();
        w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
