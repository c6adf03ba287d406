#include "testbase/Conversions.h"

#include <gtest/gtest.h>

namespace {
TEST(ParseFlag, ReadsANumberFrom0To255RoundedHalfToEven)
{
    const struct
    {
        std::string_view text;
        std::optional<int> flag;
    } cases[] = {
        {"3", 3},    {" 3", 3},   {"3 ", 3},      {"\t4\t", 4},  {"5", 5},     {"0", 0},      {"255", 255},
        {"+4", 4},   {"2.5", 2},  {"3.5", 4},     {"0.5", 0},    {"1.5", 2},   {"2,5", 2},    {"2,51", 3},
        {"-0.4", 0}, {"-0.5", 0}, {"255.4", 255}, {"1e2", 100},  {"25E-1", 2}, {".5", 0},     {"3.", 3},
        {"", {}},    {"  ", {}},  {"-1", {}},     {"-0.6", {}},  {"256", {}},  {"255.5", {}}, {"300", {}},
        {"abc", {}}, {"3a", {}},  {"1 2", {}},    {"inf", {}},   {"nan", {}},  {"1e400", {}}, {"--3", {}},
        {"+-3", {}}, {".", {}},   {"0x10", {}},   {"1,5.0", {}}, {"1e", {}},   {"e1", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(ParseFlag(c.text), c.flag);
    }
}

TEST(ParseTruth, ReadsTrueFalseOrANumber)
{
    const struct
    {
        std::string_view text;
        std::optional<bool> value;
    } cases[] = {
        {"True", true}, {"TRUE", true}, {"true", true}, {" False ", false}, {"fAlSe", false},
        {"1", true},    {"0", false},   {"-1", true},   {"0.0", false},     {" 0,0 ", false},
        {"2.5", true},  {"1e3", true},  {"yes", {}},    {"", {}},           {" ", {}},
        {"Truex", {}},  {"T", {}},      {"inf", {}},    {"1e999", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(ParseTruth(c.text), c.value);
    }
}

TEST(IsNoneAnswer, OnlyTheWholeWordInAnyCase)
{
    for (const std::string_view text : {"NONE", "none", "NoNe"})
        EXPECT_TRUE(IsNoneAnswer(text)) << text;
    for (const std::string_view text : {" NONE", "NONE ", "NON", "", "NONE1"})
        EXPECT_FALSE(IsNoneAnswer(text)) << text;
}
} // namespace
