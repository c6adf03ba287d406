#include "testbase/HeadLines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>

namespace {
const std::string Bases = std::string(ZT_TEST_DATA) + "/bases/";
const std::string GoodTitle =
    "\xC3\xE5\xEE\xE3\xF0\xE0\xF4\xE8\xFF \xD0\xEE\xF1\xF1\xE8\xE8"; // География России

// A scratch file for heads that no sample base has.
class HeadFile : public testing::Test
{
protected:
    std::filesystem::path Write(const std::string &bytes)
    {
        std::ofstream(m_path, std::ios::binary) << bytes;
        return m_path;
    }
    void TearDown() override { std::filesystem::remove(m_path); }

private:
    std::filesystem::path m_path =
        std::filesystem::temp_directory_path() /
        ("zt_head_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".bse");
};

TEST(HeadLines, SampleBasesAreListedByTheirExactHeader)
{
    const struct
    {
        const char *file;
        std::optional<std::string> listed;
        std::string commandLine;
    } cases[] = {
        {"good.bse", GoodTitle, GoodTitle},
        {"good_cr.bse", GoodTitle, GoodTitle},
        {"lower_header.bse", GoodTitle, GoodTitle}, // any letter case lists
        {"blank_header.bse", {}, GoodTitle},        // a blank before the header does not
        {"one_line.bse", {}, ""},                   // no title line, so never listed
        {"empty.bse", {}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        for (const auto purpose : {HeadPurpose::CommandLine, HeadPurpose::Listing}) {
            const HeadLines head = ReadHeadLines(Bases + c.file, purpose);
            EXPECT_EQ(head.error, FileError::None);
            EXPECT_EQ(ListedTitle(head), c.listed);
            if (purpose == HeadPurpose::CommandLine) {
                EXPECT_EQ(CommandLineTitle(head), c.commandLine);
            }
        }
    }
}

TEST(HeadLines, FilesThatCannotBeReadTellWhy)
{
    EXPECT_EQ(ReadHeadLines(Bases + "missing.bse").error, FileError::NotFound);
    EXPECT_EQ(ReadHeadLines(Bases).error, FileError::IsDirectory);
}

TEST_F(HeadFile, TitleIsLine2FromItsThirdCharacter)
{
    const struct
    {
        std::string bytes;
        std::optional<std::string> listed;
    } cases[] = {
        {"[ZorvantaBaseFile.2.0]\r\n  Word\r\n", "Word"},
        {"[ZorvantaBaseFile.2.0]\r\nab\r\nmore", ""},
        {"[ZorvantaBaseFile.2.0]\r\na", ""},
        {"[ZorvantaBaseFile.2.0]\r\n", {}},
        {"[ZorvantaBaseFile.2.0]\r\r", ""},
        {"[ZorvantaBaseFile.2.0]\rxx \n", " \n"}, // a bare LF is part of the title
        {"[ZorvantaBaseFile.2.0] \r\n  Word", {}},
        {"[ZorvantaBaseFile.2.0]x\r\n  Word", {}},
        {"[ZorvantaBaseFile.2.\r\n  Word", {}},
        {"\r\n  Word", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        const auto path = Write(c.bytes);
        EXPECT_EQ(ListedTitle(ReadHeadLines(path, HeadPurpose::Listing)), c.listed);
        EXPECT_EQ(ListedTitle(ReadHeadLines(path)), c.listed);
    }
}

TEST_F(HeadFile, LineEndsSplitAcrossReadsAreOneLineEnd)
{
    const std::string header = "[ZorvantaBaseFile.2.0]\r\n  ";
    for (const std::size_t cr : {4093u, 4094u, 4095u, 4096u, 4097u, 8190u, 8191u, 8192u}) {
        SCOPED_TRACE(cr); // where the line's CR stands in the file
        // A long line 1, which only the command line reads past.
        const auto longHead = Write(std::string(cr, 'x') + "\r\n  Title\r\nrest");
        EXPECT_EQ(CommandLineTitle(ReadHeadLines(longHead)), "Title");
        EXPECT_EQ(ReadHeadLines(longHead, HeadPurpose::Listing).lines.size(), 1u);
        // A long title, kept whole.
        const std::string title(cr - header.size(), 'y');
        const auto longTitle = Write(header + title + "\r\n\r\n");
        EXPECT_EQ(ListedTitle(ReadHeadLines(longTitle, HeadPurpose::Listing)), title);
        EXPECT_EQ(CommandLineTitle(ReadHeadLines(longTitle)), title);
    }
}
} // namespace
