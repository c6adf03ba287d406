#include "TestFiles.h"

#include "look/UiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TestFiles {
void WriteLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += QByteArray::fromStdString(ToCp1251(line)) + "\r\n";
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Base(const QString &title, const QList<Question> &questions, const QString &testTime,
                 const QString &questTime)
{
    QStringList lines{"[ZorvantaBaseFile.2.0]", "  " + title, "TestTime" + testTime,
                      "QuestionTime:  " + questTime};
    for (const Question &q : questions) {
        lines << "[QUESTION]=" + q.text;
        for (int k = 0; k < 4; ++k)
            lines << QStringLiteral("ANSWER%1=").arg(k + 1) + q.answers.value(k);
        lines << QStringLiteral("flag=%1").arg(q.flag) << "HELP=" + q.help;
    }
    for (const char *setting : {"TIME", "QUESTIONTIME", "QUESTIONTEST", "FALSEANSWERS", "TRUEANSWERS", "num"})
        lines << QStringLiteral("SHOW_%1=True").arg(setting);
    return lines;
}

QList<Question> Numbered(int n)
{
    QList<Question> questions;
    for (int k = 1; k <= n; ++k) {
        const QString answer = QStringLiteral("Ответ %1.").arg(k);
        questions << Question{QStringLiteral("Вопрос %1").arg(k),
                              {answer + '1', answer + '2', answer + '3', answer + '4'},
                              2,
                              QStringLiteral("Подсказка %1").arg(k)};
    }
    return questions;
}
} // namespace TestFiles
