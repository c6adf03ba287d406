#include "testbase/Loader.h"

#include "testbase/BaseFormat.h"
#include "testbase/Conversions.h"
#include "testbase/KeyLookup.h"

#include <array>
#include <new>
#include <optional>
#include <string_view>

using namespace BaseFormat;

namespace {
// The keys whose values are kept as texts.
constexpr QuestionKey TextKeys[] = {QuestionKey_Text,    QuestionKey_Answer1, QuestionKey_Answer2,
                                    QuestionKey_Answer3, QuestionKey_Answer4, QuestionKey_Help};

// Every key loading looks up: those of the questions, then the settings.
const KeySet LoadKeys = [] {
    std::vector<std::string_view> keys = QuestionKeys;
    keys.insert(keys.end(), SettingKeys.begin(), SettingKeys.end());
    return KeySet(keys);
}();

// How often the question mark stands in bytes: at least once in each question line.
std::size_t CountMarks(std::string_view bytes)
{
    std::size_t count = 0;
    for (std::size_t at = bytes.find(QuestionMark); at != std::string_view::npos;
         at = bytes.find(QuestionMark, at + QuestionMark.size()))
        ++count;
    return count;
}

// count characters of line from its character number first (1-based), fewer when the line is short.
std::string Characters(std::string_view line, std::size_t first, std::size_t count)
{
    return first <= line.size() ? std::string(line.substr(first - 1, count)) : std::string();
}

// Everything loading looks up, found while the lines are split, so that each line is read once. GetSet
// from a question's line finds the first line at or after it that begins with the key: a line with a key is
// therefore the value of every question since the key's line before it. The settings are looked up from the
// last question's line, so each is the first of its lines since the latest question line.
class Lookups
{
public:
    // The lines handed over are views into bytes; the texts are gathered only when keepTexts is set.
    Lookups(const std::shared_ptr<const std::string> &bytes, bool keepTexts)
        : m_bytes(*bytes), m_nextMark(m_bytes.find(QuestionMark)), m_keepTexts(keepTexts)
    {
        m_waiting.fill(1);
        // Each list is written once, where it stays: every question line holds at least one mark.
        const std::size_t most = 1 + CountMarks(m_bytes);
        questLine.reserve(most);
        rightAnswer.reserve(most);
        flagLine.reserve(most);
        for (const QuestionKey key : TextKeys) {
            if (keepTexts) {
                texts[key] = TextList(bytes, most);
                texts[key].push_back({});
            }
        }
    }

    void Line(std::size_t n, std::string_view line)
    {
        const auto end = static_cast<std::size_t>(line.data() - m_bytes.data()) + line.size();
        // Holding no line end, a mark lies within one line; the next one is sought after each found.
        if (m_nextMark < end) {
            questLine.push_back(static_cast<std::uint32_t>(n));
            rightAnswer.push_back(0);
            flagLine.push_back(0);
            for (const QuestionKey key : TextKeys) {
                if (m_keepTexts)
                    texts[key].push_back({});
            }
            settingLine.fill(0);
            m_nextMark = m_bytes.find(QuestionMark, end);
        }
        LoadKeys.ForEachKeyOf(line, m_bytes.data() + m_bytes.size(), [&](std::size_t j) {
            const std::string_view value = line.substr(LoadKeys.Length(j));
            if (j >= QuestionKeyCount) {
                std::uint32_t &setting = settingLine[j - QuestionKeyCount];
                setting = setting == 0 ? static_cast<std::uint32_t>(n) : setting;
            } else {
                Found(static_cast<QuestionKey>(j), n, value);
            }
        });
    }

    std::vector<std::uint32_t> questLine{0};
    std::vector<std::int32_t> rightAnswer{0}; // -1 where the flag is no number from 0 to 255
    std::vector<std::uint32_t> flagLine{0};   // 0 where no line from the question's on has the key
    std::array<TextList, QuestionKeyCount> texts;
    std::array<std::uint32_t, SettingCount> settingLine{};

private:
    // Line n with value answers key for the questions waiting for it.
    void Found(QuestionKey key, std::size_t n, std::string_view value)
    {
        const std::size_t last = questLine.size() - 1;
        if (m_waiting[key] > last)
            return;
        if (key == QuestionKey_Flag) {
            const std::int32_t flag = ParseFlag(value).value_or(-1);
            std::fill(rightAnswer.begin() + static_cast<std::ptrdiff_t>(m_waiting[key]), rightAnswer.end(),
                      flag);
            std::fill(flagLine.begin() + static_cast<std::ptrdiff_t>(m_waiting[key]), flagLine.end(),
                      static_cast<std::uint32_t>(n));
        } else if (m_keepTexts) {
            for (std::size_t k = m_waiting[key]; k <= last; ++k)
                texts[key].Set(k, value);
        }
        m_waiting[key] = last + 1;
    }

    std::string_view m_bytes;
    std::size_t m_nextMark;
    bool m_keepTexts;
    std::array<std::size_t, QuestionKeyCount> m_waiting{}; // per key, the first question still waiting for it
};

// The checks and conversions that follow reading the lines; the state changes only when all pass.
LoadFailure LoadTest(TestState &state, BaseLimits &limits, Lookups &found, LoadFault &fault)
{
    const BaseText &text = state.BaseLines;
    const std::size_t questCount = state.QuestLine.size() - 1;
    if (text.LineCount() == 0)
        return LoadFailure::EmptyFile;
    if (questCount == 0)
        return LoadFailure::NoQuestions;
    if (text.Line(1).find(Header) == std::string_view::npos)
        return LoadFailure::WrongHeader;
    if (text.LineCount() < 4) {
        fault.cause = LoadFault::Cause::FewLines;
        return LoadFailure::FormatFailure;
    }
    for (std::size_t k = 1; k <= questCount; ++k) {
        if (found.rightAnswer[k] < 0 || found.flagLine[k] == 0) {
            fault = {LoadFault::Cause::Flag, k, QuestionKeys[QuestionKey_Flag], found.flagLine[k]};
            return LoadFailure::FormatFailure;
        }
    }
    std::array<bool, SettingCount> show{};
    for (std::size_t j = 0; j < show.size(); ++j) {
        const std::size_t line = found.settingLine[j];
        const auto value =
            ParseTruth(line == 0 ? std::string_view() : text.Line(line).substr(SettingKeys[j].size()));
        if (!value) {
            fault = {LoadFault::Cause::Setting, 0, SettingKeys[j], line};
            return LoadFailure::FormatFailure;
        }
        show[j] = *value;
    }
    BaseLimits read = ReadLimits(text);

    state.GivenAnswer.resize(questCount + 1, 0);
    limits = std::move(read);
    state.NoTestLimit = limits.TestTime == NoLimit;
    state.NoQuestionLimit = limits.QuestTime == NoLimit;
    state.QuestText = std::move(found.texts[QuestionKey_Text]);
    state.Answer1 = std::move(found.texts[QuestionKey_Answer1]);
    state.Answer2 = std::move(found.texts[QuestionKey_Answer2]);
    state.Answer3 = std::move(found.texts[QuestionKey_Answer3]);
    state.Answer4 = std::move(found.texts[QuestionKey_Answer4]);
    state.HelpText = std::move(found.texts[QuestionKey_Help]);
    state.RightAnswer = std::move(found.rightAnswer);
    state.ShowTime = show[0];
    state.ShowQuestionTime = show[1];
    state.ShowQuestionTest = show[2];
    state.ShowFalseAnswers = show[3];
    state.ShowTrueAnswers = show[4];
    state.ShowNum = show[5];
    return LoadFailure::None;
}

LoadFailure Load(std::string bytes, TestState &state, BaseLimits &limits, const std::function<void()> &yield,
                 LoadFault *fault, bool keepTexts)
{
    LoadFault ignored;
    LoadFault &told = fault != nullptr ? *fault : ignored;
    told = {};
    try {
        // The lookups must see the bytes where the lines will hold them.
        auto held = std::make_shared<const std::string>(std::move(bytes));
        Lookups found(held, keepTexts);
        BaseText lines(held, yield, [&](std::size_t n, std::string_view line) { found.Line(n, line); });
        state.BaseLines = std::move(lines);
        state.QuestLine = std::move(found.questLine);
        state.QuestCount = static_cast<int>(state.QuestLine.size() - 1);
        return LoadTest(state, limits, found, told);
    } catch (const std::bad_alloc &) {
        // A base too big for the memory left cannot be used, like any other bad base. Every write to the
        // state is a move, so it never holds half of a test.
        told.cause = LoadFault::Cause::OutOfMemory;
        return LoadFailure::FormatFailure;
    }
}
} // namespace

BaseLimits ReadLimits(const BaseText &text)
{
    return {Characters(text.Line(TestTimeLine), TestTimeColumn, TimeLength),
            Characters(text.Line(QuestTimeLine), QuestTimeColumn, TimeLength)};
}

LoadFailure LoadBase(std::string bytes, TestState &state, BaseLimits &limits,
                     const std::function<void()> &yield, LoadFault *fault)
{
    return Load(std::move(bytes), state, limits, yield, fault, true);
}

LoadFailure CheckBase(std::string bytes, TestState &state, BaseLimits &limits, LoadFault &fault)
{
    return Load(std::move(bytes), state, limits, {}, &fault, false);
}
