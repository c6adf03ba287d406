#include "testbase/Cp1251.h"
#include "testbase/FileIo.h"

#include <gtest/gtest.h>

namespace {
// The reference pair holds every byte the code page defines (all but 0x98), converted by another tool.
TEST(Cp1251, EveryDefinedByteMatchesTheReference)
{
    const std::string data = std::string(ZT_TEST_DATA) + "/cp1251/";
    const std::string bytes = ReadWholeFile(data + "defined.bin").bytes;
    const std::string raw = ReadWholeFile(data + "defined.utf16le").bytes;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                      static_cast<unsigned char>(raw[i + 1]) << 8);
    ASSERT_EQ(bytes.size(), 255u);
    ASSERT_EQ(text.size(), 255u);
    EXPECT_EQ(Cp1251ToUtf16(bytes), text);
    EXPECT_EQ(Utf16ToCp1251(text), bytes);
}

TEST(Cp1251, UndefinedByteSurvivesAndForeignCharactersBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(Cp1251ToUtf16("\x98"), std::u16string(1, u'\u0098'));
    const std::pair<std::u16string, std::string> cases[] = {
        {u"\u0098", "\x98"},   {u"a\u00E9b", "a?b"},           {u"x\U0001F600y", "x?y"}, // one ? per pair
        {u"\xD800z", "?z"},    {std::u16string(u"z\xDC00"), "z?"}, // lone surrogates
        {u"\u2116 \u20AC", "\xB9 \x88"},
    };
    for (const auto &[text, bytes] : cases)
        EXPECT_EQ(Utf16ToCp1251(text), bytes) << testing::PrintToString(bytes);
}

TEST(Cp1251, UpperCaseFollowsTheCodePage)
{
    const std::pair<unsigned char, unsigned char> cases[] = {
        {'a', 'A'},   {'z', 'Z'},   {'A', 'A'},   {'[', '['},   {0xE0, 0xC0}, {0xFF, 0xDF}, {0xC5, 0xC5},
        {0xB8, 0xA8}, {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
        {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2},
        {0xBE, 0xBD}, {0xB5, 0xB5}, {0x98, 0x98}, {0xA0, 0xA0}};
    for (const auto &[lower, upper] : cases)
        EXPECT_EQ(UpperCp1251(static_cast<char>(lower)), static_cast<char>(upper)) << int(lower);
    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        const char upper = UpperCp1251(static_cast<char>(b));
        EXPECT_EQ(UpperCp1251(upper), upper) << b;
        changed += upper != static_cast<char>(b);
    }
    EXPECT_EQ(changed, 26 + 32 + 15); // Latin, the Russian alphabet, the other Cyrillic letters
    EXPECT_EQ(UpperCp1251(std::string_view("show_num=\xEE\xE1\xFC")), "SHOW_NUM=\xCE\xC1\xDC");
}
} // namespace
