#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files for window tests, written as the program meets them: Windows-1251 with CR LF.
namespace TestFiles {
// Creates the file's folder when it is missing.
void WriteLines(const QString &path, const QStringList &lines);
QByteArray Read(const QString &path);

struct Question
{
    QString text;
    QStringList answers; // four
    int flag = 1;
    QString help;
};
// A valid base: header, title, the two limits, the questions and the six settings, all True.
QStringList Base(const QString &title, const QList<Question> &questions, const QString &testTime = "00:00:00",
                 const QString &questTime = "00:00:00");
// n questions "Вопрос k" with answers "Ответ k.1" .. "Ответ k.4", answer 2 right, hint "Подсказка k".
QList<Question> Numbered(int n);
} // namespace TestFiles
