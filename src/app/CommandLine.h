#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The command-line text is the path of a base: everything after the program's name, taken from the raw
// command line, so that no toolkit can claim any of it as an option of its own.

// Windows: the text after the program's name as Windows spells it. A name in quotation marks ends at the
// next quotation mark, any other at the first blank or tab; the blanks after it are skipped.
std::wstring AfterProgramName(std::wstring_view commandLine);

// Elsewhere: the arguments after the program's name, joined with single blanks.
std::string JoinedArguments(int argc, const char *const *argv);

// One pair of quotation marks around the whole text is dropped.
template <typename Char> std::basic_string<Char> Unquoted(std::basic_string<Char> text)
{
    if (text.size() >= 2 && text.front() == Char('"') && text.back() == Char('"')) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

// The base named on this program's command line; empty when there is none.
std::filesystem::path CommandLinePath(int argc, const char *const *argv);
