#pragma once

#include <filesystem>
#include <string_view>

// Writes bytes beside path, puts them on the disk and then renames them into path's place, so that path
// holds either all its old bytes or all the new ones, even after a crash. An existing file keeps its
// permissions. False when any step fails; path is then unchanged and nothing is left beside it.
bool ReplaceFile(const std::filesystem::path &path, std::string_view bytes);
