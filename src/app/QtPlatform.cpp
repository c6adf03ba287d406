#include "app/QtPlatform.h"

#include "testbase/Messages.h"
#include "artwork/Artwork.h"
#include "look/UiText.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTime>

QtPlatform::QtPlatform(QStringList arguments, QString lockPath)
    : m_arguments(std::move(arguments)), m_lockPath(std::move(lockPath))
{
    m_monotonic.start();
}

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

void QtPlatform::EndProgram()
{
    m_ended = true;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        window->hide();
    }
    QCoreApplication::exit(0);
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
        m_lock = std::make_unique<QLockFile>(m_lockPath);
        // A lock is stale only when its owner is gone, however old it is.
        m_lock->setStaleLockTime(0);
        m_otherCopy = !m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError;
    }
    return m_otherCopy;
}

QString QtPlatform::AppPath() const
{
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::TakeCommand()
{
    if (m_commandTaken) {
        return {};
    }
    m_commandTaken = true;
    return CommandText(m_arguments);
}

Now QtPlatform::Clock() const
{
    return {m_monotonic.elapsed(), QTime::currentTime().msecsSinceStartOfDay() / 1000};
}

QString CommandText(const QStringList &arguments)
{
    QString text = arguments.mid(1).join(QLatin1Char(' '));
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'))) {
        text = text.mid(1, text.size() - 2);
    }
    return text;
}
