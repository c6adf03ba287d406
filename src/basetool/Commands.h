#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// The tool's command line: args after the program's name; programFolder is where the program keeps its
// result file. Returns the exit status.
int RunTool(const std::vector<std::string> &args, const std::filesystem::path &programFolder,
            std::ostream &out, std::ostream &err);
