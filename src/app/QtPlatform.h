#pragma once

#include "app/Platform.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QStringList>

#include <memory>

// The platform of a real run: Qt message boxes, a per-user lock file as the running-copy guard, the
// program's folder and command line, and the system clocks.
class QtPlatform final : public Platform
{
public:
    explicit QtPlatform(QStringList arguments, QString lockPath = LockPath());

    Answer MsgBox(const QString &text, Icon icon, Buttons buttons = Buttons::Ok) override;
    void EndProgram() override;
    bool Ended() const override { return m_ended; }
    bool PrevInstance() override;
    QString AppPath() const override;
    QString TakeCommand() override;
    Now Clock() const override;

    // Where the running-copy lock lives: a per-user folder, so that copies of other users don't count.
    static QString LockPath();

private:
    QStringList m_arguments;
    QString m_lockPath;
    bool m_commandTaken = false;
    bool m_ended = false;
    std::unique_ptr<QLockFile> m_lock;
    bool m_otherCopy = false;
    QElapsedTimer m_monotonic;
};

// The command-line text: the arguments after the program's name joined with single blanks, without
// quotation marks around the whole.
QString CommandText(const QStringList &arguments);
