#include "testbase/Loader.h"

#include "testbase/BaseFormat.h"
#include "testbase/Conversions.h"
#include "testbase/KeyLookup.h"
#include "testbase/Yield.h"

#include <array>
#include <new>
#include <optional>
#include <string_view>

using namespace BaseFormat;

namespace {
// The keys whose values are kept as texts.
constexpr QuestionKey TextKeys[] = {QuestionKey_Text,    QuestionKey_Answer1, QuestionKey_Answer2,
                                    QuestionKey_Answer3, QuestionKey_Answer4, QuestionKey_Help};

// count characters of line from its character number first (1-based), fewer when the line is short.
std::string Characters(std::string_view line, std::size_t first, std::size_t count)
{
    return first <= line.size() ? std::string(line.substr(first - 1, count)) : std::string();
}

// Line numbers of the question lines, at positions 1 to the number of questions. The mark is sought in all
// the bytes at once, far quicker than line by line; holding no line end, each mark found lies in one line.
std::vector<std::size_t> FindQuestionLines(const BaseText &text, const std::function<void()> &yield)
{
    std::vector<std::size_t> questLine{0};
    if (text.LineCount() == 0)
        return questLine;
    const std::string_view bytes = *text.Bytes();
    Yielder yielder(yield);
    for (std::size_t at = bytes.find(QuestionMark); at != std::string_view::npos;) {
        const std::size_t line = text.LineOf(at);
        questLine.push_back(line);
        at =
            line < text.LineCount() ? bytes.find(QuestionMark, text.Start(line + 1)) : std::string_view::npos;
        yielder.Line();
    }
    return questLine;
}

// The checks and conversions that follow reading the lines; the state changes only when all pass.
LoadFailure LoadTest(TestState &state, BaseLimits &limits, const std::function<void()> &yield,
                     LoadFault &fault)
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

    const std::vector<std::size_t> starts(state.QuestLine.begin() + 1, state.QuestLine.end());
    const KeyIndex questions(text, QuestionKeys, starts, yield);
    std::vector<std::int32_t> rightAnswer(questCount + 1, 0);
    for (std::size_t k = 1; k <= questCount; ++k) {
        const auto flag = ParseFlag(questions.Value(k - 1, QuestionKey_Flag));
        if (!flag) {
            fault = {LoadFault::Cause::Flag, k, QuestionKeys[QuestionKey_Flag],
                     questions.Line(k - 1, QuestionKey_Flag)};
            return LoadFailure::FormatFailure;
        }
        rightAnswer[k] = *flag;
    }
    const KeyIndex settings(text, SettingKeys, {state.QuestLine.back()});
    std::array<bool, SettingCount> show{};
    for (std::size_t j = 0; j < show.size(); ++j) {
        const auto value = ParseTruth(settings.Value(0, j));
        if (!value) {
            fault = {LoadFault::Cause::Setting, 0, SettingKeys[j], settings.Line(0, j)};
            return LoadFailure::FormatFailure;
        }
        show[j] = *value;
    }

    // All six lists in one pass over the questions, which visits each question's lines once.
    std::array<std::vector<std::string_view>, QuestionKeyCount> texts;
    for (const QuestionKey key : TextKeys)
        texts[key].resize(questCount + 1);
    for (std::size_t k = 1; k <= questCount; ++k) {
        for (const QuestionKey key : TextKeys)
            texts[key][k] = questions.Value(k - 1, key);
    }
    BaseLimits read = ReadLimits(text);

    state.GivenAnswer.resize(questCount + 1, 0);
    limits = std::move(read);
    state.TextBytes = text.Bytes();
    state.NoTestLimit = limits.TestTime == NoLimit;
    state.NoQuestionLimit = limits.QuestTime == NoLimit;
    state.QuestText = std::move(texts[QuestionKey_Text]);
    state.Answer1 = std::move(texts[QuestionKey_Answer1]);
    state.Answer2 = std::move(texts[QuestionKey_Answer2]);
    state.Answer3 = std::move(texts[QuestionKey_Answer3]);
    state.Answer4 = std::move(texts[QuestionKey_Answer4]);
    state.HelpText = std::move(texts[QuestionKey_Help]);
    state.RightAnswer = std::move(rightAnswer);
    state.ShowTime = show[0];
    state.ShowQuestionTime = show[1];
    state.ShowQuestionTest = show[2];
    state.ShowFalseAnswers = show[3];
    state.ShowTrueAnswers = show[4];
    state.ShowNum = show[5];
    return LoadFailure::None;
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
    LoadFault ignored;
    LoadFault &told = fault != nullptr ? *fault : ignored;
    told = {};
    try {
        BaseText lines(std::move(bytes), yield);
        std::vector<std::size_t> questLine = FindQuestionLines(lines, yield);
        state.BaseLines = std::move(lines);
        state.QuestLine = std::move(questLine);
        state.QuestCount = static_cast<int>(state.QuestLine.size() - 1);
        return LoadTest(state, limits, yield, told);
    } catch (const std::bad_alloc &) {
        // A base too big for the memory left cannot be used, like any other bad base. Every write to the
        // state is a move, so it never holds half of a test.
        told.cause = LoadFault::Cause::OutOfMemory;
        return LoadFailure::FormatFailure;
    }
}
