// What the tool says of bases, texts and result files that it once misjudged, and what it writes.
#include "RunTool.h"
#include "basetool/AtomicFile.h"
#include "basetool/Utf8Text.h"
#include "testbase/Cp1251.h"
#include "testbase/FileIo.h"
#include "testbase/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {
// A base that loads, with its question's answer lines and flag, and lines 1 and 2, as given.
std::string Base(const std::string &answers, const std::string &title = "  Тема")
{
    return "[ZorvantaBaseFile.2.0]\r\n" + title +
           "\r\n        00:00:00\r\n               00:00:00\r\n[QUESTION]=Вопрос\r\n" + answers +
           "HELP=h\r\nSHOW_TIME=1\r\nSHOW_QUESTIONTIME=1\r\nSHOW_QUESTIONTEST=1\r\nSHOW_FALSEANSWERS=1\r\n"
           "SHOW_TRUEANSWERS=1\r\nSHOW_num=1\r\n";
}
const std::string Answers = "ANSWER1=а\r\nANSWER2=б\r\nANSWER3=в\r\n";

std::string Cp1251(const std::string &utf8)
{
    return Utf16ToCp1251(DecodeUtf8(utf8).text);
}

void Write(const fs::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

struct Case
{
    const char *what;
    std::string bytes; // written to in.bse
    std::vector<std::string> args;
    std::vector<std::string> said;
    std::string written = {}; // what out.bse must hold, when given
};

TEST(BaseToolFindings, EachMisjudgedInputGetsItsTrueFinding)
{
    const std::string yoInUtf8 = "\xD1\x91";
    const Case cases[] = {
        {"flag on a NONE answer a)",
         Cp1251(Base("ANSWER1=NONE\r\nANSWER2=б\r\nANSWER3=в\r\nANSWER4=г\r\nflag=1\r\n")),
         {"check", "in.bse"},
         {"in.bse:10: предупреждение: flag=1 указывает на ответ NONE: щелчком его не выбрать, "
          "но в начале теста выбран именно ответ а)",
          "in.bse:6: предупреждение: ответ а) NONE будет пустым и недоступным", "status 1"}},
        {"answers chosen without meaning to",
         Cp1251(Base("ANSWER1=а\r\nANSWER2=\r\nANSWER3=в\r\nANSWER4= NONE\r\nflag=2\r\n")),
         {"check", "in.bse"},
         {"in.bse:7: предупреждение: ответ б) пустой, но это не NONE",
          "in.bse:9: предупреждение: ответ « NONE» из-за пробелов не NONE",
          "in.bse:10: предупреждение: flag=2 указывает на пустой ответ б)"}},
        {"a stray Windows-1251 byte in UTF-8",
         Base(Answers + "ANSWER4=г\r\nflag=1\r\n", "  Проверка") + "\xE9\r\n",
         {"check", "in.bse"},
         {"in.bse:18: предупреждение: текст в UTF-8, но здесь байт 0xE9 не из UTF-8"}},
        {"the same refused by convert",
         "Проверка\nтест\xE9\n",
         {"convert", "in.bse", "out.bse"},
         {"in.bse:2: ошибка: столбец 5: байт 0xE9 — не UTF-8, хотя остальной текст в UTF-8", "status 2"}},
        {"UTF-16 without a mark",
         std::string("[\0Z\0\r\0\n\0", 8),
         {"convert", "in.bse", "out.bse"},
         {"файл похож на UTF-16 без метки порядка байтов", "status 2"}},
        {"decomposed letters and LF CR line ends",
         "Чаи\xCC\x86 и е\xCC\x88лка\n\rвторая\n\r",
         {"convert", "in.bse", "out.bse"},
         {"status 0"},
         Cp1251("Чай и ёлка") + "\r\n" + Cp1251("вторая") + "\r\n"},
        {"LF CR among other line ends",
         "один\r\nдва\n\rтри\n",
         {"convert", "in.bse", "out.bse"},
         {"in.bse:2: ошибка: столбец 4: здесь LF и CR подряд", "status 2"}},
        {"an LF and a CR after it are two line ends where other lines end otherwise",
         "один\r\nдва\n\rтри\xE9\n",
         {"convert", "in.bse", "out.bse"},
         {"in.bse:4: ошибка: столбец 4: байт 0xE9"}},
        {"--from forces the encoding",
         yoInUtf8,
         {"convert", "--from", "cp1251", "in.bse", "out.bse"},
         {"(прочитан как Windows-1251)", "status 0"},
         yoInUtf8 + "\r\n"},
        {"a base the program loads but never lists",
         " " + Cp1251(Base(Answers + "ANSWER4=г\r\nflag=1\r\n")),
         {"check", "in.bse"},
         {"status 2"}},
        {"warnings past the first thousand are counted",
         [] {
             std::string bytes = Cp1251(Base(Answers + "ANSWER4=г\r\nflag=1\r\n"));
             for (int i = 0; i < 1003; ++i)
                 bytes += "ANSWR2=x\r\n";
             return bytes;
         }(),
         {"check", "in.bse"},
         {": предупреждение: и ещё предупреждений, не показанных здесь: 3\n"}},
        {"LF CR and a NUL byte as check finds them",
         std::string("[ZorvantaBaseFile.2.0]\n\r  \xD2\0\xEC\xE0\n\r", 32),
         {"check", "in.bse"},
         {"in.bse:1: предупреждение: конец строки LF CR",
          "in.bse:2: предупреждение: невидимый управляющий байт 0x00 на 4-м месте строки"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder temp;
        Write(temp.path / "in.bse", c.bytes);
        const std::string output = RunIn(temp.path, c.args);
        for (const std::string &said : c.said)
            EXPECT_NE(output.find(said), std::string::npos) << output;
        if (!c.written.empty()) {
            EXPECT_EQ(ReadWholeFile(temp.path / "out.bse").bytes, c.written);
        }
    }
}

#ifndef _WIN32
TEST(BaseToolFindings, NamesOfAnyBytesStayOneLineOfUtf8AndAnUnreadableBaseIsNamed)
{
    const TempFolder temp;
    fs::create_directory(temp.path / "Tests");
    Write(temp.path / "Tests" / "a.bse", Base(Answers + "ANSWER4=г\r\nflag=1\r\n"));
    // Readable as an ordinary file, yet every read of it fails.
    fs::create_symlink("/proc/self/mem", temp.path / "Tests" / "b.bse");
    const std::string listing = RunIn(temp.path, {"check", "Tests"});
    EXPECT_NE(listing.find("Tests/b.bse:0: ошибка: файл не читается, и программа покажет сообщение «"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("ни одной темы из этой папки взять нельзя\n"), std::string::npos);

    Write(temp.path / "x\xFF\ny.res", "x\r\n");
    const std::string results = RunIn(temp.path, {"results", "x\xFF\ny.res"});
    EXPECT_TRUE(results.starts_with("x\xEF\xBF\xBD?y.res:1: ошибка: строка не в формате результата"))
        << results;
    EXPECT_EQ(std::count(results.begin(), results.end(), '\n'), 2);

    // Read in pieces: a line end split between two pieces, and a line longer than a piece, are still one
    // line end and one line each.
    const auto line = [](std::size_t length) {
        const std::string tail = "=   1  True= 1  False= 0\r\n";
        return std::string(length - tail.size() + 1, 'n') + tail;
    };
    Write(temp.path / "long.res", line(1 << 16) + line(200000) + line(40));
    const std::string rows = RunIn(temp.path, {"results", "--csv", "long.res"});
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 5) << rows.substr(0, 300);
    // A file of nothing but line ends names its first thousand lines and counts the rest.
    Write(temp.path / "ends.res", std::string(1003, '\r'));
    const std::string ends = RunIn(temp.path, {"results", "ends.res"});
    EXPECT_EQ(std::count(ends.begin(), ends.end(), '\n'), 1002);
    EXPECT_TRUE(
        ends.ends_with("ends.res:0: ошибка: и ещё строк не в формате результата, не показанных здесь: 3\n"
                       "status 1\n"))
        << ends.substr(ends.size() - 300);
}
#endif
} // namespace

namespace {
// Each way a write can go wrong: what the tool says, and that the input and the folder are as before.
TEST(BaseToolWrites, AWriteNeverHurtsAFileAndSaysWhyItFailed)
{
    struct Write
    {
        const char *what;
        std::function<void(const fs::path &)> prepare;
        std::vector<std::string> args;
        std::string said;
    };
    const std::string text = "Тема\n";
    const std::string converted = "\xD2\xE5\xEC\xE0\r\n";
    const Write writes[] = {
#ifndef _WIN32
        {"the old temporary name is a link",
         [](const fs::path &folder) {
             ::Write(folder / "victim", "victim");
             fs::create_symlink(folder / "victim", folder / "out.bse.zorvanta-base.tmp");
         },
         {"convert", "in.txt", "out.bse"},
         "status 0"},
#endif
        {"read-only",
         [](const fs::path &folder) { fs::permissions(folder / "in.txt", fs::perms::owner_read); },
         {"convert", "--in-place", "in.txt"},
         "in.txt:0: ошибка: не удалось записать файл: файл только для чтения"},
        {"missing folder",
         [](const fs::path &) {},
         {"convert", "in.txt", "none/out.bse"},
         "none/out.bse:0: ошибка: не удалось записать файл: нет папки «none»"},
        {"folder as OUT",
         [](const fs::path &folder) { fs::create_directory(folder / "out.bse"); },
         {"convert", "in.txt", "out.bse"},
         "out.bse:0: ошибка: не удалось записать файл: это папка, а не файл"},
    };
    for (const Write &write : writes) {
        SCOPED_TRACE(write.what);
        const TempFolder temp;
        ::Write(temp.path / "in.txt", text);
        write.prepare(temp.path);
        const auto before = std::distance(fs::directory_iterator(temp.path), fs::directory_iterator());
        const std::string output = RunIn(temp.path, write.args);
        EXPECT_NE(output.find(write.said), std::string::npos) << output;
        EXPECT_EQ(ReadWholeFile(temp.path / "in.txt").bytes, text);
        const auto after = std::distance(fs::directory_iterator(temp.path), fs::directory_iterator());
        EXPECT_EQ(after, before + (output.ends_with("status 0\n") ? 1 : 0));
        if (fs::exists(temp.path / "victim")) {
            EXPECT_EQ(ReadWholeFile(temp.path / "victim").bytes, "victim");
        }
        fs::permissions(temp.path / "in.txt", fs::perms::owner_all);
    }

    const TempFolder temp;
    ::Write(temp.path / "in.txt", text);
#ifndef _WIN32
    // A link keeps pointing at the file, which is converted and keeps who may read it.
    fs::create_symlink("in.txt", temp.path / "link.txt");
    const auto access = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(temp.path / "in.txt", access);
    EXPECT_TRUE(RunIn(temp.path, {"convert", "--in-place", "link.txt"}).ends_with("status 0\n"));
    EXPECT_TRUE(fs::is_symlink(temp.path / "link.txt"));
    EXPECT_EQ(ReadWholeFile(temp.path / "in.txt").bytes, converted);
    EXPECT_EQ(fs::status(temp.path / "in.txt").permissions(), access);
    fs::remove(temp.path / "link.txt");
#else
    ReplaceContents(temp.path / "in.txt", converted);
#endif

    // A full disk and a read-only folder, which no test can make here, fail a step as the system would.
    for (const auto &failed : {std::pair(std::errc::no_space_on_device, "на диске нет места"),
                               std::pair(std::errc::read_only_file_system, "в папку нельзя записывать")}) {
        for (const WriteStep step : {WriteStep::Create, WriteStep::Write, WriteStep::Rename}) {
            const WriteFailure failure = ReplaceContents(temp.path / "in.txt", "new", [&](WriteStep at) {
                return at == step ? failed.first : std::errc();
            });
            EXPECT_TRUE(WriteFailureText(failure, temp.path / "in.txt").starts_with(failed.second));
            EXPECT_EQ(ReadWholeFile(temp.path / "in.txt").bytes, converted);
            EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
        }
    }
    // The rename itself failing: a folder has taken the file's name just before it.
    const WriteFailure failure = ReplaceContents(temp.path / "in.txt", "new", [&](WriteStep at) {
        if (at == WriteStep::Rename) {
            fs::remove(temp.path / "in.txt");
            fs::create_directories(temp.path / "in.txt" / "taken");
        }
        return std::errc();
    });
    EXPECT_NE(failure, WriteFailure::None);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
}
} // namespace
