#include "testbase/Topics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {
// A tests folder named with Cyrillic letters and blanks: bases are listed in Russian alphabetical order
// of their names, Ё with Е; hidden files, folders and files that are not bases are left out.
TEST(Topics, ListsTheBasesOfAFolderInRussianOrder)
{
    const fs::path root = fs::temp_directory_path() / ("zt topics " + std::to_string(std::random_device{}()));
    const fs::path folder = root / u8"Учебный класс" / u8"Тесты";
    fs::create_directories(folder / u8"папка.bse");
    const auto write = [&](const fs::path &name, const std::string &title) {
        std::ofstream(folder / name, std::ios::binary) << "[ZorvantaBaseFile.2.0]\r\n  " << title << "\r\n";
    };
    write(u8"Жуки.bse", "5");
    write(u8"ёлки и палки.BSE", "4");
    write(u8"Ель.bse", "3");
    write(u8"ежи.bse", "2");
    write("Zebra.bse", "1");
    write(u8"заметки.txt", "not a base");
#ifdef _WIN32
    write(u8"скрытая.bse", "hidden");
    SetFileAttributesW((folder / u8"скрытая.bse").c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
    write(u8".скрытая.bse", "hidden");
#endif
    std::ofstream(folder / u8"не база.bse") << "[QUESTION]=\r\n  not a base\r\n";

    const TopicList list = ListTopics(folder);
    std::string titles;
    for (const Topic &topic : list.topics)
        titles += topic.title;
    EXPECT_EQ(list.error, FileError::None);
    EXPECT_EQ(titles, "12345");
    fs::remove_all(root);
}
} // namespace
