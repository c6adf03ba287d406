#include "app/CommandLine.h"

#ifdef _WIN32
#include <windows.h>
#endif

std::wstring AfterProgramName(std::wstring_view commandLine)
{
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        const std::size_t close = commandLine.find(L'"', 1);
        pos = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        pos = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    while (pos < commandLine.size() && (commandLine[pos] == L' ' || commandLine[pos] == L'\t')) {
        ++pos;
    }
    return std::wstring(commandLine.substr(pos));
}

std::string JoinedArguments(int argc, const char *const *argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    return text;
}

std::filesystem::path CommandLinePath([[maybe_unused]] int argc, [[maybe_unused]] const char *const *argv)
{
#ifdef _WIN32
    return std::filesystem::path(Unquoted(AfterProgramName(GetCommandLineW())));
#else
    return std::filesystem::path(Unquoted(JoinedArguments(argc, argv)));
#endif
}
