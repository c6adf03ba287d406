#include "testbase/Cp1251.h"
#include "testbase/FileIo.h"

#include <gtest/gtest.h>

namespace {
std::string DataFile(const char *name)
{
    return ReadWholeFile(std::string(ZT_TEST_DATA) + "/cp1251/" + name).bytes;
}

// The reference pair holds every byte the code page defines (all but 0x98), converted by another tool.
std::u16string ReferenceText()
{
    const std::string raw = DataFile("defined.utf16le");
    std::u16string text;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                      static_cast<unsigned char>(raw[i + 1]) << 8);
    return text;
}

TEST(Cp1251, EveryDefinedByteMatchesTheReference)
{
    const std::string bytes = DataFile("defined.bin");
    const std::u16string text = ReferenceText();
    ASSERT_EQ(bytes.size(), 255u);
    ASSERT_EQ(text.size(), 255u);
    EXPECT_EQ(Cp1251ToUtf16(bytes), text);
    EXPECT_EQ(Utf16ToCp1251(text), bytes);
}

TEST(Cp1251, UndefinedByteSurvivesARoundTrip)
{
    const std::string bytes = "\x98";
    EXPECT_EQ(Cp1251ToUtf16(bytes), std::u16string(1, u'\u0098'));
    EXPECT_EQ(Utf16ToCp1251(Cp1251ToUtf16(bytes)), bytes);
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    const struct
    {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"a\u00E9b", "a?b"},               // é is not Cyrillic
        {u"x\U0001F600y", "x?y"},           // a surrogate pair is one character
        {std::u16string(u"\xD800z"), "?z"}, // a lone surrogate
        {std::u16string(u"z\xDC00"), "z?"},
        {u"\u2116 \u20AC", "\xB9 \x88"}, // № and € are in the code page
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(Utf16ToCp1251(c.text), c.bytes);
    }
}

TEST(Cp1251, UpperCaseFollowsTheCodePage)
{
    const std::pair<unsigned char, unsigned char> cases[] = {
        {'a', 'A'},   {'z', 'Z'},   {'A', 'A'},   {'=', '='},   {'[', '['},   {0xE0, 0xC0}, // а -> А
        {0xFF, 0xDF}, {0xC5, 0xC5}, {0xB8, 0xA8},                                           // ё -> Ё
        {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
        {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5}, {0xBA, 0xAA}, {0xBF, 0xAF},
        {0xB3, 0xB2}, {0xBE, 0xBD}, {0xB5, 0xB5}, // µ has no capital here
        {0x98, 0x98}, {0xA0, 0xA0},
    };
    for (const auto &[lower, upper] : cases) {
        SCOPED_TRACE(static_cast<int>(lower));
        EXPECT_EQ(static_cast<unsigned char>(UpperCp1251(static_cast<char>(lower))), upper);
    }
    EXPECT_EQ(UpperCp1251(std::string_view("show_num=\xEE\xE1\xFC")), "SHOW_NUM=\xCE\xC1\xDC");
}

TEST(Cp1251, UpperCaseChangesOnlyTheLowerCaseLetters)
{
    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        const char upper = UpperCp1251(static_cast<char>(b));
        EXPECT_EQ(UpperCp1251(upper), upper) << b;
        changed += upper != static_cast<char>(b);
    }
    EXPECT_EQ(changed, 26 + 32 + 15); // Latin, the Russian alphabet, the other Cyrillic letters
}
} // namespace
