#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The fixed texts and places of a base, shared by the loader and by tools that explain its verdicts.
namespace BaseFormat {
inline constexpr std::string_view Header = "[ZorvantaBaseFile.2.0]";
// Line 2 holds the title from its third character on; the two before it are skipped.
inline constexpr std::size_t TitleLine = 2;
inline constexpr std::size_t TitleSkipped = 2;
// A line that contains this, in this letter case, starts a question.
inline constexpr std::string_view QuestionMark = "[QUESTION]";
// A limit of exactly this text is no limit.
inline constexpr std::string_view NoLimit = "00:00:00";

// The limit texts: so many characters from a fixed character number (1-based) of lines 3 and 4.
inline constexpr std::size_t TestTimeLine = 3;
inline constexpr std::size_t TestTimeColumn = 9;
inline constexpr std::size_t QuestTimeLine = 4;
inline constexpr std::size_t QuestTimeColumn = 16;
inline constexpr std::size_t TimeLength = 8;
// Lines 1 to 4 are the header, the title and the two times; keys stand after them.
inline constexpr std::size_t FirstKeyLine = QuestTimeLine + 1;

// Keys looked up for each question from its "[QUESTION]" line, in this order.
enum QuestionKey
{
    QuestionKey_Text,
    QuestionKey_Answer1,
    QuestionKey_Answer2,
    QuestionKey_Answer3,
    QuestionKey_Answer4,
    QuestionKey_Flag,
    QuestionKey_Help,
    QuestionKeyCount,
};
inline const std::vector<std::string_view> QuestionKeys = {
    "[QUESTION]=", "ANSWER1=", "ANSWER2=", "ANSWER3=", "ANSWER4=", "flag=", "HELP="};

// The display settings, looked up from the last question's line in this order.
inline constexpr std::size_t SettingCount = 6;
inline const std::vector<std::string_view> SettingKeys = {
    "SHOW_TIME=",         "SHOW_QUESTIONTIME=", "SHOW_QUESTIONTEST=",
    "SHOW_FALSEANSWERS=", "SHOW_TRUEANSWERS=",  "SHOW_num="};
} // namespace BaseFormat
