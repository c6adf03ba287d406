#pragma once

#include <string>
#include <string_view>
#include <vector>

// A result line read back: what the program wrote for one finished test.
struct ResultRecord
{
    std::string UserName;         // Windows-1251
    std::vector<int> GivenAnswer; // for questions 1 to n: the slot 1 to 4, 0 when not answered
    int TrueCount = 0;
    int FalseCount = 0;
};

// Why a line is not a result line, checked from the line's end, since a name may hold anything.
enum class ResultLineFault
{
    None,
    NoFalse,        // it does not end with "  False= " and a number
    NoTrue,         // no "  True= " and a number before that
    NoSeparator,    // no "= " between the name and the answers
    BadAnswer,      // an answer that is not 0 to 4
    CountsDisagree, // right and wrong answers do not add up to the number of answers
};

// Reads one line, without its line end, into record.
ResultLineFault ParseResultLine(std::string_view line, ResultRecord &record);
