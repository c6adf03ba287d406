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

// Upper case as Unicode has it for every byte: the Latin and Cyrillic letters, Ё and the other letters of
// the Cyrillic alphabets; anything else stays.
TEST(Cp1251, UpperCaseIsUnicodes)
{
    for (int b = 0; b < 256; ++b) {
        const auto character = [](char byte) { return Cp1251ToUtf16(std::string(1, byte))[0]; };
        const char16_t c = character(static_cast<char>(b));
        char16_t upper = c;
        if ((c >= u'a' && c <= u'z') || (c >= u'\u0430' && c <= u'\u044F'))
            upper = static_cast<char16_t>(c - 0x20);
        else if (c >= u'\u0450' && c <= u'\u045F')
            upper = static_cast<char16_t>(c - 0x50);
        else if (c == u'\u0491')
            upper = u'\u0490';
        EXPECT_EQ(character(UpperCp1251(static_cast<char>(b))), upper) << b;
    }
}

TEST(Cp1251, UndefinedByteSurvivesAndForeignCharactersBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(Cp1251ToUtf16("\x98"), u"\u0098");
    const std::pair<std::u16string, std::string> cases[] = {
        {u"\u0098", "\x98"}, {u"a\u00E9b", "a?b"}, {u"x\U0001F600y", "x?y"}, {u"\xD800z\xDC00", "?z?"}};
    for (const auto &[text, bytes] : cases)
        EXPECT_EQ(Utf16ToCp1251(text), bytes) << testing::PrintToString(bytes);
    // What a name can keep: exactly the characters that do not become '?'.
    EXPECT_EQ(KeepCp1251(u"Li\u5F20\U0001F600\u00E9\u20AC\xD800\u0098\u0401"), u"Li\u20AC\u0098\u0401");
}
} // namespace
