#include "testbase/FileIo.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {
const std::string Bases = std::string(ZT_TEST_DATA) + "/bases/";

TEST(ReadWholeFile, ReadsEveryByteOrTellsWhyNot)
{
    const FileBytes good = ReadWholeFile(Bases + "good.bse");
    EXPECT_EQ(good.error, FileError::None);
    ASSERT_EQ(good.bytes.size(), 611u);
    EXPECT_EQ(good.bytes.substr(0, 24), "[ZorvantaBaseFile.2.0]\r\n");
    EXPECT_EQ(good.bytes.substr(good.bytes.size() - 2), "\r\n");

    const FileBytes empty = ReadWholeFile(Bases + "empty.bse");
    EXPECT_EQ(empty.error, FileError::None);
    EXPECT_TRUE(empty.bytes.empty());

    EXPECT_EQ(ReadWholeFile(Bases + "missing.bse").error, FileError::NotFound);
    EXPECT_EQ(ReadWholeFile(Bases + "missing/good.bse").error, FileError::NotFound);
    EXPECT_EQ(ReadWholeFile(Bases).error, FileError::IsDirectory);
}

TEST(ProgramFile, PutsOneSeparatorBetweenFolderAndName)
{
    const struct
    {
        std::string folder;
        std::string path;
    } cases[] = {
        {"/opt/zt", "/opt/zt/Result.res"},   {"/", "/Result.res"},
        {"C:\\", "C:\\Result.res"}, // a program in a drive's root
        {"C:\\Test", "C:\\Test/Result.res"}, {"/opt/zt/", "/opt/zt/Result.res"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProgramFile(c.folder, "Result.res"), c.path) << c.folder;
}

TEST(PathFromUtf8, KeepsNonLatinNames)
{
    const std::string name = "\xD1\x82\xD0\xB5\xD1\x81\xD1\x82.bse"; // "тест.bse" in UTF-8
    const std::filesystem::path path = std::filesystem::temp_directory_path() / PathFromUtf8(name);
    const std::u8string filename = path.filename().u8string();
    EXPECT_EQ(std::string(filename.begin(), filename.end()), name);
    std::ofstream(path, std::ios::binary) << "x\r\n";
    EXPECT_EQ(ReadWholeFile(path).bytes, "x\r\n");
    std::filesystem::remove(path);
}
} // namespace
