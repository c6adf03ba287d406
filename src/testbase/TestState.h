#pragma once

#include "testbase/BaseText.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A list of texts, each the rest of a line of one block of bytes, which the list keeps alive. A text runs to
// its line's end, so where it starts is all that is held: 4 bytes a text rather than a view's 16, since a
// huge base has millions of them and every byte of the lists is memory the program must first be given.
class TextList
{
public:
    TextList() = default;
    // An empty list of texts within bytes, with room for count of them.
    TextList(std::shared_ptr<const std::string> bytes, std::size_t count);

    // text must run from within the bytes to the end of its line, or be empty.
    void push_back(std::string_view text) { m_starts.push_back(StartOf(text)); }
    void Set(std::size_t i, std::string_view text) { m_starts[i] = StartOf(text); }

    std::size_t size() const { return m_starts.size(); }
    bool empty() const { return m_starts.empty(); }
    std::string_view operator[](std::size_t i) const
    {
        const std::string_view rest = std::string_view(*m_bytes).substr(m_starts[i]);
        return rest.substr(0, rest.find('\r'));
    }
    std::string_view at(std::size_t i) const;

private:
    // An empty text starts at the end of the bytes. They are no bigger than 32 bits address.
    std::uint32_t StartOf(std::string_view text) const
    {
        return static_cast<std::uint32_t>(text.empty() ? m_bytes->size() : text.data() - m_bytes->data());
    }
    std::shared_ptr<const std::string> m_bytes;
    std::vector<std::uint32_t> m_starts;
};

// The one record of a test run, shared by the selection, question and results windows.
// Texts are Windows-1251 bytes. Lists are indexed from 1; position 0 exists and is never used.
struct TestState
{
    int CurQuestion = 0;
    int TrueCount = 0;
    int QuestCount = 0;
    BaseText BaseLines;
    std::vector<std::uint32_t> QuestLine; // line number of each question's "[QUESTION]" line
    std::string TestTitle;
    std::filesystem::path BaseFile;
    std::string UserName;
    bool Chosen1 = false;
    bool Chosen2 = false;
    bool Chosen3 = false;
    bool Chosen4 = false;
    // The texts are views into the base's bytes as loaded, which the lists keep.
    TextList QuestText;
    TextList Answer1;
    TextList Answer2;
    TextList Answer3;
    TextList Answer4;
    std::vector<std::int32_t> RightAnswer;
    TextList HelpText;
    std::vector<std::int16_t> GivenAnswer;
    bool ShowTime = false;
    bool ShowQuestionTime = false;
    bool ShowQuestionTest = false;
    bool ShowFalseAnswers = false;
    bool ShowTrueAnswers = false;
    bool ShowNum = false;
    bool NoTestLimit = false;
    bool NoQuestionLimit = false;
    std::string SpentTime;

    // Slot k (1 to 4) of the choice and of the answers, for code that walks the four slots.
    bool &Chosen(int k);
    bool Chosen(int k) const;
    std::string_view Answer(int k, int question) const;
    // Questions not answered right, those the test time cut off included.
    int WrongCount() const { return QuestCount - TrueCount; }
};
