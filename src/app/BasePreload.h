#pragma once

#include "testrun/TestRun.h"

#include <filesystem>
#include <future>
#include <thread>

// The base named on the command line, read and loaded on a thread of its own from the program's first
// moment, so that its reading overlaps the toolkit's start. It serves the program's first question window
// once, and only if that window loads the same file; every other load reads its file itself.
class BasePreload
{
public:
    explicit BasePreload(std::filesystem::path file);

    // The loading of file, to wait on; not valid when file is another one or the loading was asked for
    // before.
    std::future<PreparedBase> Take(const std::filesystem::path &file);

private:
    std::filesystem::path m_file;
    std::future<PreparedBase> m_result;
    // Declared last, so it is joined first: the thread writes only into the result's shared state, and the
    // program never ends with it still running.
    std::jthread m_thread;
};
