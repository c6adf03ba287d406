#include "testbase/TempFolder.h"
#include "testbase/Topics.h"

#include <gtest/gtest.h>

#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {
// A folder named with Cyrillic letters and blanks: its bases are listed in Russian alphabetical order of
// their names, whatever the letters' case, Ё with Е and Я last; hidden files, folders and files that are
// not bases are left out.
TEST(Topics, ListsTheBasesOfAFolderInRussianOrder)
{
    const TempFolder root;
    const fs::path folder = root.path / u8"Учебный класс";
    fs::create_directories(folder / u8"папка.bse");
    const std::pair<const char8_t *, const char *> files[] = {
        {u8"Ящерицы.bse", "7"}, {u8"Жуки.bse", "6"},    {u8"ёлки и палки.BSE", "5"},
        {u8"Ель.bse", "4"},     {u8"ежи.bse", "3"},     {u8"арифметика.bse", "2"},
        {u8"Zebra.bse", "1"},   {u8"заметки.txt", "-"}, {u8".скрытая.bse", "-"}};
    for (const auto &[name, title] : files)
        std::ofstream(folder / name, std::ios::binary) << "[ZorvantaBaseFile.2.0]\r\n  " << title << "\r\n";
    std::ofstream(folder / u8"не база.bse") << "[QUESTION]=\r\n  -\r\n";
#ifdef _WIN32
    SetFileAttributesW((folder / u8".скрытая.bse").c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
    const TopicList list = ListTopics(folder);
    std::string titles;
    for (const Topic &topic : list.topics)
        titles += topic.title;
    EXPECT_EQ(list.error, FileError::None);
    EXPECT_EQ(titles, "1234567");
}
} // namespace
