#include "testbase/HeadLines.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {
// A base file named after the running test, removed afterwards.
struct Scratch
{
    explicit Scratch(const std::string &bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~Scratch() { std::filesystem::remove(path); }
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
        (std::string("zt_") + testing::UnitTest::GetInstance()->current_test_info()->name() + ".bse");
};

TEST(HeadLines, TitleIsLine2FromItsThirdCharacter)
{
    const struct
    {
        std::string bytes;
        std::optional<std::string> listed;
        std::string commandLine;
    } cases[] = {
        {"[ZorvantaBaseFile.2.0]\r\n  Word\r\n[QUESTION]=", "Word", "Word"},
        {"[ZorvantaBaseFile.2.0]\r  Word\r", "Word", "Word"},
        {"[zorvantabasefile.2.0]\r\n  Word\r\n", "Word", "Word"}, // any letter case lists
        {" [ZorvantaBaseFile.2.0]\r\n  Word", {}, "Word"},        // a blank before the header does not
        {"[ZorvantaBaseFile.2.0] \r\n  Word", {}, "Word"},
        {"[ZorvantaBaseFile.2.0]x\r\n  Word", {}, "Word"},
        {"[ZorvantaBaseFile.2.\r\n  Word", {}, "Word"},
        {"\r\n  Word", {}, "Word"},
        {"[ZorvantaBaseFile.2.0]\r\nab\r\nmore", "", ""},
        {"[ZorvantaBaseFile.2.0]\r\r", "", ""},
        {"[ZorvantaBaseFile.2.0]\rxx \n", " \n", " \n"}, // a bare LF is part of the title
        {"[ZorvantaBaseFile.2.0]\r\n", {}, ""},          // no title line, so never listed
        {"", {}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        const Scratch file(c.bytes);
        for (const auto purpose : {HeadPurpose::CommandLine, HeadPurpose::Listing}) {
            const HeadLines head = ReadHeadLines(file.path, purpose);
            EXPECT_EQ(head.error, FileError::None);
            EXPECT_EQ(ListedTitle(head), c.listed);
        }
        EXPECT_EQ(CommandLineTitle(ReadHeadLines(file.path)), c.commandLine);
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

TEST(FileIo, FilesThatCannotBeReadTellWhy)
{
    const std::string bases = std::string(ZT_TEST_DATA) + "/bases/";
    for (const auto &[path, error] : {std::pair(bases + "missing.bse", FileError::NotFound),
                                      std::pair(bases + "missing/good.bse", FileError::NotFound),
                                      std::pair(bases, FileError::IsDirectory)}) {
        EXPECT_EQ(ReadWholeFile(path).error, error) << path;
        EXPECT_EQ(ReadHeadLines(path).error, error) << path;
    }
    const Scratch empty("");
    EXPECT_EQ(ReadWholeFile(empty.path).error, FileError::None);
    EXPECT_TRUE(ReadWholeFile(empty.path).bytes.empty());
}

TEST(FileIo, ProgramFilePutsOneSeparatorBetweenFolderAndName)
{
    const std::pair<std::string, std::string> cases[] = {{"/opt/zt", "/opt/zt/Result.res"},
                                                         {"/opt/zt/", "/opt/zt/Result.res"},
                                                         {"/", "/Result.res"},
                                                         {"C:\\", "C:\\Result.res"}, // a program in a drive's root
                                                         {"C:\\Test", "C:\\Test/Result.res"}};
    for (const auto &[folder, path] : cases)
        EXPECT_EQ(ProgramFile(folder, "Result.res"), path) << folder;
}
} // namespace
