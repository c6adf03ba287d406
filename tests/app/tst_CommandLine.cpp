#include "app/BasePreload.h"
#include "app/CommandLine.h"
#include "testbase/TempFolder.h"

#include <gtest/gtest.h>

namespace {
// The base named after the program's name. As Windows spells a command line, a quoted program name ends
// at the next quotation mark whatever follows, any other at the first blank or tab; one pair of quotation
// marks around the rest is dropped.
TEST(CommandLine, BaseAfterTheProgramName)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\"C:\\Учебный класс\\zt.exe\"  \"D:\\Мои тесты\\химия.bse\"", L"D:\\Мои тесты\\химия.bse"},
        {L"zt.exe\tD:\\химия.bse", L"D:\\химия.bse"},
        {L"\"C:\\zt\"x.bse", L"x.bse"},
        {L"\"C:\\Учебный класс\\zt.exe", L""},
        {L"zt.exe \"\"", L""},
        {L"zt.exe \"a.bse", L"\"a.bse"}};
    for (const auto &[commandLine, base] : cases) {
        SCOPED_TRACE(testing::PrintToString(commandLine));
        EXPECT_EQ(Unquoted(AfterProgramName(commandLine)), base);
    }
    // Elsewhere the arguments after the program's name, joined by blanks.
    const char *const argv[] = {"zt", "my", "base.bse"};
    EXPECT_EQ(JoinedArguments(3, argv), "my base.bse");
    EXPECT_EQ(JoinedArguments(1, argv), "");
}

// The base named on the command line, loaded ahead, serves the first load and only when that is its own.
TEST(CommandLine, BaseLoadedAheadServesItsOwnFirstLoadOnly)
{
    const TempFolder folder;
    const std::filesystem::path base = folder.path / "a.bse";
    BasePreload other(base);
    EXPECT_FALSE(other.Take(folder.path / "b.bse").valid());
    EXPECT_FALSE(other.Take(base).valid());
    BasePreload own(base);
    EXPECT_EQ(own.Take(base).get().error, FileError::NotFound);
    EXPECT_FALSE(own.Take(base).valid());
}
} // namespace
