#include "TestFiles.h"

#include "winutil/UiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TestFiles {
QByteArray Cp1251(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += QByteArray::fromStdString(ToCp1251(line));
        bytes += "\r\n";
    }
    return bytes;
}

void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

void WriteLines(const QString &path, const QStringList &lines)
{
    Write(path, Cp1251(lines));
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Base(const QString &title, const QList<Question> &questions, const QString &testTime,
                 const QString &questTime, const QStringList &settings)
{
    QStringList lines{"[ZorvantaBaseFile.2.0]", "  " + title, "TestTime" + testTime,
                      "QuestionTime:  " + questTime};
    for (const Question &q : questions) {
        lines << "[QUESTION]=" + q.text;
        for (int k = 0; k < 4; ++k) {
            lines << QStringLiteral("ANSWER%1=").arg(k + 1) + q.answers.value(k);
        }
        lines << QStringLiteral("flag=%1").arg(q.flag) << "HELP=" + q.help;
    }
    if (settings.isEmpty()) {
        lines << QStringList{"SHOW_TIME=True",         "SHOW_QUESTIONTIME=True", "SHOW_QUESTIONTEST=True",
                             "SHOW_FALSEANSWERS=True", "SHOW_TRUEANSWERS=True",  "SHOW_num=True"};
    } else {
        lines << settings;
    }
    return lines;
}

QList<Question> Numbered(int n)
{
    QList<Question> questions;
    for (int k = 1; k <= n; ++k) {
        questions << Question{QStringLiteral("Вопрос %1").arg(k),
                              {QStringLiteral("Ответ %1.1").arg(k), QStringLiteral("Ответ %1.2").arg(k),
                               QStringLiteral("Ответ %1.3").arg(k), QStringLiteral("Ответ %1.4").arg(k)},
                              2,
                              QStringLiteral("Подсказка %1").arg(k)};
    }
    return questions;
}
} // namespace TestFiles
