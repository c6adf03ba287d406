#include "basetool/ContentCheck.h"

#include "basetool/KeyNearMiss.h"
#include "testbase/BaseFormat.h"
#include "testbase/Conversions.h"
#include "testbase/HeadLines.h"
#include "testbase/KeyLookup.h"
#include "testbase/Loader.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

using namespace BaseFormat;

namespace {
constexpr std::size_t NoKey = static_cast<std::size_t>(-1);

// More warnings than anyone reads; a base of a million broken questions must not fill the memory with them.
constexpr std::size_t MostWarnings = 1000;

// Keeps the first MostWarnings warnings and counts the rest.
class Collector
{
public:
    explicit Collector(std::vector<Finding> &findings) : m_findings(findings) {}
    // text() makes the warning's text, only for a warning that is kept: the texts of the warnings left out
    // would cost a base of millions of broken questions most of its checking time.
    template <typename Text> void Warn(std::size_t line, Text text)
    {
        if (m_findings.size() < MostWarnings)
            m_findings.push_back({line, Level::Warning, Aspect::Content, text()});
        else
            ++m_left;
    }
    std::size_t Left() const { return m_left; }

private:
    std::vector<Finding> &m_findings;
    std::size_t m_left = 0;
};

std::string Number(std::size_t n)
{
    return std::to_string(n);
}

// A digit or a Latin or Russian letter.
bool IsWordCharacter(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0xC0 ||
           b == 0xA8 || b == 0xB8;
}

// The index of the first of keys that line begins with in any letter case, or NoKey; the bytes from the
// line's start to end may be read.
std::size_t KeyOf(std::string_view line, const char *end, const KeySet &keys)
{
    std::size_t found = NoKey;
    keys.ForEachKeyOf(line, end, [&found](std::size_t j) { found = std::min(found, j); });
    return found;
}

void CheckTitle(const BaseText &text, Collector &out)
{
    if (text.LineCount() < TitleLine)
        return;
    const std::string_view line = text.Line(TitleLine);
    const std::string title = TitleOf(line);
    if (title.empty()) {
        out.Warn(TitleLine, [&] { return "название темы пустое: в списке тем будет пустая строка"; });
    } else if (IsWordCharacter(line[TitleSkipped - 1]) && IsWordCharacter(line[TitleSkipped])) {
        out.Warn(TitleLine, [&] {
            return "название берётся с " + Number(TitleSkipped + 1) + "-го символа, и " +
                   Quoted(line.substr(0, TitleSkipped)) + " отрезается от слова: в списке тем будет " +
                   Quoted(title);
        });
    }
}

// The first run of digits and colons that holds both, as an author writes a time.
std::string_view TimeWritten(std::string_view line, std::size_t &column)
{
    for (std::size_t at = line.find_first_of("0123456789"); at != std::string_view::npos;) {
        const auto end = std::min(line.find_first_not_of("0123456789:", at), line.size());
        const std::string_view run = line.substr(at, end - at);
        if (run.find(':') != std::string_view::npos) {
            column = at + 1;
            return run;
        }
        at = line.find_first_of("0123456789", end);
    }
    return {};
}

void TimeLine(const BaseText &text, std::size_t lineNumber, std::size_t column, const std::string &limit,
              bool wholeTest, Collector &out)
{
    if (text.LineCount() < lineNumber || limit == NoLimit)
        return;
    std::size_t writtenAt = 0;
    const std::string_view written = TimeWritten(text.Line(lineNumber), writtenAt);
    if (!written.empty() && written != TrimBlanks(limit)) {
        out.Warn(lineNumber, [&] {
            return "время " + Quoted(written) + " стоит с " + Number(writtenAt) +
                   "-го символа, а программа берёт " + Number(TimeLength) + " символов с " + Number(column) +
                   "-го: " + Quoted(limit);
        });
    }
    const std::string what = wholeTest ? "время на тест " : "время на вопрос ";
    const auto seconds = ReadTime(limit);
    if (!seconds) {
        out.Warn(lineNumber, [&] {
            return what + Quoted(limit) +
                   " программа покажет, но соблюдать не будет: это не время ЧЧ:ММ:СС; "
                   "без ограничения пишите 00:00:00";
        });
    } else if (*seconds == 0) {
        out.Warn(lineNumber, [&] {
            return what + Quoted(limit) + " — ноль секунд: " +
                   (wholeTest ? "тест закончится сразу" : "каждый вопрос будет сдан сразу") +
                   "; без ограничения пишите 00:00:00";
        });
    }
}

// One question: its block runs from its "[QUESTION]" line up to the next one.
class QuestionCheck
{
public:
    // keys has been moved to the question's line.
    QuestionCheck(const KeyIndex &keys, std::size_t first, std::size_t end)
        : m_keys(keys), m_first(first), m_end(end)
    {}

    void Run(Collector &out, std::unordered_map<std::string_view, std::size_t> &texts) const
    {
        QuestionText(out, texts);
        for (int slot = 1; slot <= 4; ++slot) {
            if (!InBlock(Answer(slot))) {
                out.Warn(m_first, [&] {
                    return "в вопросе нет ANSWER" + Number(slot) + "=: " +
                           Taken(Answer(slot), "ответом " + Number(slot) + " станет ответ",
                                 "ответ " + Number(slot) + " будет пустым, и его можно выбрать");
                });
            } else {
                AnswerText(slot, out);
            }
        }
        if (!InBlock(QuestionKey_Help)) {
            out.Warn(m_first, [&] {
                return "в вопросе нет HELP=: " +
                       Taken(QuestionKey_Help, "подсказкой станет подсказка", "подсказки не будет");
            });
        }
        Flag(out);
        SameAnswers(out);
    }

private:
    static QuestionKey Answer(int slot) { return static_cast<QuestionKey>(QuestionKey_Answer1 + slot - 1); }
    std::size_t LineOf(QuestionKey key) const { return m_keys.Line(key); }
    std::string_view ValueOf(QuestionKey key) const { return m_keys.Value(key); }
    bool InBlock(QuestionKey key) const { return LineOf(key) != 0 && LineOf(key) < m_end; }

    // Where the program takes a key missing from the block.
    std::string Taken(QuestionKey key, const std::string &fromLine, const std::string &nowhere) const
    {
        return LineOf(key) != 0 ? fromLine + " из строки " + Number(LineOf(key)) : nowhere;
    }

    void QuestionText(Collector &out, std::unordered_map<std::string_view, std::size_t> &texts) const
    {
        if (LineOf(QuestionKey_Text) != m_first) {
            out.Warn(m_first, [&] {
                return "в строке есть «[QUESTION]», и она начинает вопрос, но начинается не с "
                       "«[QUESTION]=»: " +
                       Taken(QuestionKey_Text, "текстом вопроса станет текст", "вопрос будет без текста");
            });
            return;
        }
        const std::string_view text = TrimBlanks(ValueOf(QuestionKey_Text));
        if (text.empty())
            return;
        const auto [earlier, added] = texts.emplace(text, m_first);
        if (!added)
            out.Warn(m_first, [&, earlierLine = earlier->second] {
                return "вопрос слово в слово повторяет вопрос из строки " + Number(earlierLine);
            });
    }

    void Flag(Collector &out) const
    {
        const std::size_t line = LineOf(QuestionKey_Flag);
        if (line == 0)
            return; // the program refuses the base, which the verdict tells
        if (!InBlock(QuestionKey_Flag)) {
            out.Warn(m_first, [&] {
                return "в вопросе нет flag=: верный ответ программа возьмёт из строки " + Number(line);
            });
            return;
        }
        const std::string_view value = ValueOf(QuestionKey_Flag);
        const auto flag = ParseFlag(value);
        if (!flag)
            return;
        const std::string shown = "flag=" + Number(static_cast<std::size_t>(*flag));
        if (TrimBlanks(value).find_first_not_of("0123456789") != std::string_view::npos)
            out.Warn(line,
                     [&] { return "значение flag= " + Quoted(value) + " программа округлит: " + shown; });
        if (*flag == 0) {
            out.Warn(line, [&] { return shown + ": ни один ответ не будет верным"; });
        } else if (*flag > 4) {
            out.Warn(line,
                     [&] { return shown + " — нет ответа с таким номером: ни один ответ не будет верным"; });
        } else if (!InBlock(Answer(*flag))) {
            out.Warn(line, [&] {
                return shown + " указывает на ответ " + Number(static_cast<std::size_t>(*flag)) +
                       ", которого в вопросе нет";
            });
        } else if (IsNoneAnswer(ValueOf(Answer(*flag)))) {
            out.Warn(line, [&] {
                return shown + " указывает на ответ NONE: щелчком его не выбрать, но " +
                       (*flag == 1 ? "в начале теста выбран именно ответ а), и выбор, оставшийся "
                                     "на нём с начала или с прошлого вопроса, "
                                   : "выбор, оставшийся на нём с прошлого вопроса, ") +
                       "засчитается верным";
            });
        } else if (TrimBlanks(ValueOf(Answer(*flag))).empty()) {
            out.Warn(line, [&] {
                return shown + " указывает на пустой ответ " + std::string(AnswerLetter(*flag));
            });
        }
    }

    // An answer the examinee may choose, or be left on, without meaning to.
    void AnswerText(int slot, Collector &out) const
    {
        const std::size_t line = LineOf(Answer(slot));
        const std::string_view value = ValueOf(Answer(slot));
        if (IsNoneAnswer(value)) {
            if (slot == 1)
                out.Warn(line, [&] {
                    return "ответ а) NONE будет пустым и недоступным, но в начале теста выбран именно а), "
                           "и выбор а) с прошлого вопроса тоже останется на нём: пустой ответ можно "
                           "отправить, и он будет записан";
                });
        } else if (TrimBlanks(value).empty()) {
            out.Warn(line, [&] {
                return "ответ " + std::string(AnswerLetter(slot)) +
                       " пустой, но это не NONE: пустое место можно выбрать, и выбор будет записан";
            });
        } else if (IsNoneAnswer(TrimBlanks(value))) {
            out.Warn(line, [&] {
                return "ответ " + Quoted(value) +
                       " из-за пробелов не NONE: программа покажет его текстом, "
                       "и его можно выбрать";
            });
        }
    }

    void SameAnswers(Collector &out) const
    {
        // The texts of the answers that can be chosen, trimmed as the eye reads them.
        std::array<std::string_view, 5> choosable{};
        for (int slot = 1; slot <= 4; ++slot) {
            if (InBlock(Answer(slot)) && !IsNoneAnswer(ValueOf(Answer(slot))))
                choosable[slot] = TrimBlanks(ValueOf(Answer(slot)));
        }
        for (int a = 1; a <= 4; ++a) {
            for (int b = a + 1; b <= 4; ++b) {
                if (!choosable[a].empty() && choosable[a] == choosable[b])
                    out.Warn(LineOf(Answer(b)),
                             [&] { return "ответы " + Number(a) + " и " + Number(b) + " одинаковы"; });
            }
        }
    }

    const KeyIndex &m_keys;
    std::size_t m_first;
    std::size_t m_end;
};

// Every keyed line the program never reads, and every line that looks meant as a key but is none.
void KeyLines(const BaseText &text, const std::vector<std::uint32_t> &questLine, Collector &out)
{
    const std::size_t last = questLine.back();
    std::size_t next = 1; // the next question line to pass
    std::array<std::size_t, QuestionKeyCount> inQuestion{};
    std::array<std::size_t, SettingCount> settings{};
    const KeySet questionKeys(QuestionKeys);
    const KeySet settingKeys(SettingKeys);
    const char *end = text.Bytes()->data() + text.Bytes()->size();
    for (std::size_t i = FirstKeyLine; i <= text.LineCount(); ++i) {
        bool questionLine = false;
        while (next < questLine.size() && questLine[next] <= i) {
            questionLine = questLine[next] == i;
            inQuestion = {};
            ++next;
        }
        const std::string_view line = text.Line(i);
        const std::size_t key = KeyOf(line, end, questionKeys);
        const std::size_t setting = key == NoKey ? KeyOf(line, end, settingKeys) : NoKey;
        if (key == QuestionKey_Text && !questionLine) {
            out.Warn(i, [&] { return "«[QUESTION]» не заглавными буквами: строка не начинает вопроса"; });
        } else if (key != NoKey && next == 1) {
            out.Warn(i, [&] {
                return "ключ " + std::string(QuestionKeys[key]) +
                       " стоит до первого вопроса: программа его не прочтёт";
            });
        } else if (key != NoKey && inQuestion[key] != 0) {
            out.Warn(i, [&] {
                return "второй " + std::string(QuestionKeys[key]) +
                       " в вопросе: программа прочтёт первый, из строки " + Number(inQuestion[key]);
            });
        } else if (key != NoKey) {
            inQuestion[key] = i;
        } else if (setting != NoKey && i < last) {
            out.Warn(i, [&] {
                return "настройка " + std::string(SettingKeys[setting]) +
                       " стоит до последнего вопроса: программа ищет настройки только после него";
            });
        } else if (setting != NoKey && settings[setting] != 0) {
            out.Warn(i, [&] {
                return "вторая настройка " + std::string(SettingKeys[setting]) +
                       ": программа прочтёт первую, из строки " + Number(settings[setting]);
            });
        } else if (setting != NoKey) {
            settings[setting] = i;
        } else if (!questionLine) {
            if (const auto miss = FindNearMiss(line))
                out.Warn(i, [&] {
                    return "строка не начинается ни с одного ключа, и программа её пропустит; похоже на «" +
                           std::string(miss->key) + "»: " + miss->why;
                });
        }
    }
}
} // namespace

std::vector<Finding> ContentFindings(const BaseText &text, const std::vector<std::uint32_t> &questLine)
{
    std::vector<Finding> findings;
    Collector out(findings);
    CheckTitle(text, out);
    const BaseLimits limits = ReadLimits(text);
    TimeLine(text, TestTimeLine, TestTimeColumn, limits.TestTime, true, out);
    TimeLine(text, QuestTimeLine, QuestTimeColumn, limits.QuestTime, false, out);
    if (questLine.size() < 2)
        return findings;

    KeyIndex keys(text, QuestionKeys, questLine[1]);
    std::unordered_map<std::string_view, std::size_t> texts;
    for (std::size_t k = 1; k < questLine.size(); ++k) {
        const std::size_t end = k + 1 < questLine.size() ? questLine[k + 1] : text.LineCount() + 1;
        keys.MoveTo(questLine[k]);
        QuestionCheck(keys, questLine[k], end).Run(out, texts);
    }
    KeyLines(text, questLine, out);
    if (out.Left() > 0)
        findings.push_back({text.LineCount(), Level::Warning, Aspect::Content,
                            "и ещё предупреждений, не показанных здесь: " + Number(out.Left())});
    return findings;
}
