#include "app/QtPlatform.h"

#include "artwork/Artwork.h"
#include "look/UiText.h"
#include "testbase/Messages.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTime>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace {
// Milliseconds of a clock that counts on while the machine sleeps and ignores changes of the time of day:
// exam time is wall time, and a laptop suspended during a test must not stretch its limits.
std::int64_t SinceBootMs()
{
#ifdef _WIN32
    return static_cast<std::int64_t>(GetTickCount64());
#else
#ifdef CLOCK_BOOTTIME
    const clockid_t clock = CLOCK_BOOTTIME;
#else
    const clockid_t clock = CLOCK_MONOTONIC;
#endif
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
#endif
}
} // namespace

QtPlatform::QtPlatform(std::filesystem::path command, QString lockPath)
    : m_command(std::move(command)), m_lockPath(std::move(lockPath))
{}

Platform::Answer QtPlatform::MsgBox(const QString &text, Icon icon, Buttons buttons)
{
    QMessageBox box;
    box.setWindowTitle(FromUtf8(Messages::Caption));
    box.setWindowIcon(Artwork::ProgramIcon());
    box.setText(text);
    switch (icon) {
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    // The whole program waits for the answer, and the box stays above every other window.
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const QPointer<QMessageBox> outer = std::exchange(m_openBox, &box);
    const auto restore = qScopeGuard([&] { m_openBox = outer; });
    if (buttons == Buttons::YesNo) {
        QPushButton *yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    QPushButton *ok = box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return Answer::Ok;
}

void QtPlatform::CloseMsgBox()
{
    if (m_openBox) {
        // No button is clicked: a question is answered No, a message is simply closed.
        m_openBox->done(QMessageBox::NoButton);
    }
}

void QtPlatform::EndProgram()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

LocalDateTime QtPlatform::LocalTime() const
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

QString QtPlatform::LockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return QDir(folder).filePath(QStringLiteral("zorvanta-test.lock"));
}

bool QtPlatform::PrevInstance()
{
    if (!m_lock) {
        m_lock = std::make_unique<InstanceLock>(m_lockPath);
    }
    return m_lock->HeldByAnother();
}

std::filesystem::path QtPlatform::AppPath() const
{
    return QFileInfo(QCoreApplication::applicationDirPath()).filesystemFilePath();
}

std::filesystem::path QtPlatform::TakeCommand()
{
    return std::exchange(m_command, {});
}

Now QtPlatform::Clock() const
{
    return {SinceBootMs(), QTime::currentTime().msecsSinceStartOfDay() / 1000};
}
