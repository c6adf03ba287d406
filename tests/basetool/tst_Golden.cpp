// The tool's output on small broken bases and result files, against files written out by hand and checked.
#include "RunTool.h"
#include "testbase/FileIo.h"
#include "testbase/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const fs::path Data = fs::path(ZT_TEST_DATA) / "basetool";

std::string Bytes(const fs::path &file)
{
    return ReadWholeFile(file).bytes;
}

TEST(BaseTool, GoldenOutputs)
{
    const std::tuple<const char *, std::vector<std::string>, const char *, bool> cases[] = {
        {"bases",
         // The sound base last: the exit code is the worst of all, not the last one's.
         {"check", "keys.bse", "head.bse", "utf8.bse", "case.bse", "flag.txt", "cr.bse", "lf.bse", "lfcr.bse",
          "chemistry.bse"},
         "check.txt",
         true},
        // A folder's status is its worst base's too, though a sound one comes last.
        {"folder", {"check", "."}, "check.txt", true},
        {"results", {"results", "--all"}, "results.txt", true},
        {"results", {"results", "--csv", "--all", "Result.res"}, "results.csv", false},
        {"lab", {"results", "--all", "pc01", "pc02/Result.res"}, "lab.txt", true},
        {"lab", {"results", "--csv", "pc01", "pc02"}, "lab.csv", false}};
    for (const auto &[folder, args, expected, withErrors] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(RunIn(Data / folder, args, withErrors), Bytes(Data / folder / expected));
    }
}

// A folder of its own with the conversion inputs in it, removed afterwards.
struct Scratch
{
    Scratch()
    {
        for (const char *file : {"in.txt", "bad.txt"})
            fs::copy_file(Data / "convert" / file, path / file);
    }
    std::size_t Files() const
    {
        return std::distance(fs::directory_iterator(path), fs::directory_iterator());
    }
    const TempFolder temp;
    const fs::path &path = temp.path;
};

TEST(BaseTool, ConvertWritesWindows1251WithCrLfOrNothing)
{
    const Scratch scratch;
    const std::string converted = Bytes(Data / "convert" / "out.bse");
    EXPECT_EQ(
        RunIn(scratch.path, {"convert", "--check", "in.txt", "out.bse"}),
        "out.bse:0: итог: записан в Windows-1251 с концами строк CR LF (прочитан как UTF-8)\n"
        "out.bse:2: итог: попадёт в список тем как «Русский язык — «ё» и №»\n"
        "out.bse:0: итог: программа загрузит базу, вопросов: 1\n"
        "out.bse:0: итог: время на тест: без ограничения\n"
        "out.bse:0: итог: время на вопрос: без ограничения\n"
        "out.bse:0: итог: на экране: время — да, время на вопрос — нет, время на тест — да, неправильных "
        "ответов — да, правильных ответов — да, номер вопроса — да\n"
        "out.bse:0: итог: верные ответы: 1 — а)\nstatus 0\n");
    EXPECT_EQ(Bytes(scratch.path / "out.bse"), converted);

    const std::string refused = "bad.txt:3: ошибка: столбец 4: символ «é» (U+00E9) нельзя записать в "
                                "Windows-1251; ничего не записано\nstatus 2\n";
    EXPECT_EQ(RunIn(scratch.path, {"convert", "bad.txt", "bad.bse"}), refused);
    EXPECT_EQ(RunIn(scratch.path, {"convert", "--in-place", "bad.txt"}), refused);
    EXPECT_TRUE(RunIn(scratch.path, {"convert", "in.txt", "./in.txt"}).ends_with("status 4\n"));
    EXPECT_EQ(Bytes(scratch.path / "bad.txt"), Bytes(Data / "convert" / "bad.txt"));
    EXPECT_EQ(Bytes(scratch.path / "in.txt"), Bytes(Data / "convert" / "in.txt"));

    EXPECT_TRUE(RunIn(scratch.path, {"convert", "--in-place", "in.txt"}).ends_with("status 0\n"));
    EXPECT_EQ(Bytes(scratch.path / "in.txt"), converted);
    EXPECT_EQ(scratch.Files(), 3u); // nothing left beside
}
} // namespace
