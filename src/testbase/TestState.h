#pragma once

#include "testbase/BaseText.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The one record of a test run, shared by the selection, question and results windows.
// Texts are Windows-1251 bytes. Lists are indexed from 1; position 0 exists and is never used.
struct TestState
{
    int CurQuestion = 0;
    int TrueCount = 0;
    int QuestCount = 0;
    BaseText BaseLines;
    std::vector<std::size_t> QuestLine; // line number of each question's "[QUESTION]" line
    std::string TestTitle;
    std::filesystem::path BaseFile;
    std::string UserName;
    bool Chosen1 = false;
    bool Chosen2 = false;
    bool Chosen3 = false;
    bool Chosen4 = false;
    // The texts are views into TextBytes, the base's bytes as loaded, which they keep.
    std::shared_ptr<const std::string> TextBytes;
    std::vector<std::string_view> QuestText;
    std::vector<std::string_view> Answer1;
    std::vector<std::string_view> Answer2;
    std::vector<std::string_view> Answer3;
    std::vector<std::string_view> Answer4;
    std::vector<std::int32_t> RightAnswer;
    std::vector<std::string_view> HelpText;
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
