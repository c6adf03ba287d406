#include "testbase/FileIo.h"
#include "testbase/HeadLines.h"
#include "testbase/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {
// A base file of its own, removed afterwards.
struct Scratch
{
    explicit Scratch(const std::string &bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    const TempFolder folder;
    const std::filesystem::path path = folder.path / "base.bse";
};

// Listing takes line 2 from its third character only after the exact header in any letter case; the
// command line takes it whatever line 1 holds.
TEST(HeadLines, TitleIsLine2FromItsThirdCharacter)
{
    const std::tuple<std::string, std::optional<std::string>, std::string> cases[] = {
        {"[ZorvantaBaseFile.2.0]\r  Word\r", "Word", "Word"},
        {"[zorvantabasefile.2.0]\r\n  Word\r\n", "Word", "Word"},
        {" [ZorvantaBaseFile.2.0]\r\n  Word", {}, "Word"},
        {"[ZorvantaBaseFile.2.0] \r\n  Word", {}, "Word"},
        {"[ZorvantaBaseFile.2.0]\r\nab\r\nmore", "", ""},
        {"[ZorvantaBaseFile.2.0]\rxx \n", " \n", " \n"}, // a bare LF is part of the title
        {"", {}, ""}};
    for (const auto &[bytes, listed, commandLine] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        const Scratch file(bytes);
        for (const auto purpose : {HeadPurpose::CommandLine, HeadPurpose::Listing}) {
            EXPECT_EQ(ReadHeadLines(file.path, purpose).error, FileError::None);
            EXPECT_EQ(ListedTitle(ReadHeadLines(file.path, purpose)), listed);
        }
        EXPECT_EQ(CommandLineTitle(ReadHeadLines(file.path)), commandLine);
    }
}

TEST(HeadLines, LineEndsSplitAcrossReadsAreOneLineEnd)
{
    const std::string header = "[ZorvantaBaseFile.2.0]\r\n  ";
    for (const std::size_t cr : {4093u, 4094u, 4095u, 4096u, 4097u, 8190u, 8191u, 8192u}) {
        SCOPED_TRACE(cr); // where the line's CR stands in the file
        {
            // A long line 1, which only the command line reads past.
            const Scratch file(std::string(cr, 'x') + "\r\n  Title\r\nrest");
            EXPECT_EQ(CommandLineTitle(ReadHeadLines(file.path)), "Title");
            EXPECT_EQ(ReadHeadLines(file.path, HeadPurpose::Listing).lines.size(), 1u);
        }
        // A long title, kept whole.
        const std::string title(cr - header.size(), 'y');
        const Scratch file(header + title + "\r\n\r\n");
        EXPECT_EQ(ListedTitle(ReadHeadLines(file.path, HeadPurpose::Listing)), title);
        EXPECT_EQ(CommandLineTitle(ReadHeadLines(file.path)), title);
    }
}

// A limited read keeps exactly the file's first bytes, however the limit falls among the pieces it reads.
TEST(ReadWholeFile, StopsAtItsLimit)
{
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += static_cast<char>('a' + i % 26);
    const Scratch file(bytes);
    EXPECT_EQ(ReadWholeFile(file.path, 70001).bytes, bytes.substr(0, 70001));
    EXPECT_EQ(ReadWholeFile(file.path).bytes, bytes);
}
} // namespace
