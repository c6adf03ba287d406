#pragma once

#include <filesystem>

// The folder of the running program, where the program keeps its result file. argv0 is the fallback on
// systems that cannot say where the program is.
std::filesystem::path ProgramFolder(const char *argv0);
