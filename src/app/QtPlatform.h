#pragma once

#include "app/InstanceLock.h"
#include "winutil/Platform.h"

#include <QPointer>

#include <memory>

class QMessageBox;

// The platform of a real run: Qt message boxes, a per-user lock file as the running-copy guard, the
// program's folder and command line, and the system clocks.
class QtPlatform final : public Platform
{
public:
    explicit QtPlatform(std::filesystem::path command, QString lockPath = LockPath());

    Answer MsgBox(const QString &text, Icon icon, Buttons buttons = Buttons::Ok) override;
    void CloseMsgBox() override;
    bool BoxOpen() const override { return !m_openBox.isNull(); }
    void EndProgram() override;
    bool PrevInstance() override;
    std::filesystem::path AppPath() const override;
    std::filesystem::path TakeCommand() override;
    Now Clock() const override;
    LocalDateTime LocalTime() const override;

    // Where the running-copy lock lives: a per-user folder, so that copies of other users don't count.
    static QString LockPath();

private:
    std::filesystem::path m_command;
    QString m_lockPath;
    std::unique_ptr<InstanceLock> m_lock;
    QPointer<QMessageBox> m_openBox;
};
