#pragma once

#include "basetool/Commands.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// The tool run in folder, as if it were the program's folder: what it wrote to both streams (or to its
// output only), in order, then its exit status. Paths are printed the system's way; tests spell them with
// '/'.
inline std::string RunIn(const std::filesystem::path &folder, const std::vector<std::string> &args,
                         bool withErrors = true)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    std::ostringstream out;
    std::ostringstream ignored;
    const int status = RunTool(args, ".", out, withErrors ? out : ignored);
    std::filesystem::current_path(before);
    std::string text = out.str();
    std::replace(text.begin(), text.end(), '\\', '/');
    return text + "status " + std::to_string(status) + "\n";
}
