#pragma once

#include "testbase/FileIo.h"

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

enum class Level
{
    Note,    // what the program does with the file
    Warning, // accepted, but surely not meant
    Error,   // refused, skipped or unreadable
};

// What a finding is about, so that encoding and line-end problems can be told from the rest.
enum class Aspect
{
    Verdict,
    Encoding,
    LineEnds,
    Content,
};

// One finding about a file: its line (0: the file as a whole) and a Russian text in UTF-8.
struct Finding
{
    std::size_t line = 0;
    Level level = Level::Note;
    Aspect aspect = Aspect::Content;
    std::string text;
};

// A file that cannot be read, in the platform's words.
Finding Unreadable(FileError error);

// Writes "file:line: level: text" lines: errors to err, the rest to out, in their order even when both go
// to one terminal.
class FindingPrinter
{
public:
    FindingPrinter(std::ostream &out, std::ostream &err) : m_out(out), m_err(err) {}
    void Print(std::string_view file, const Finding &finding);
    void Print(std::string_view file, const std::vector<Finding> &findings);

private:
    std::ostream &m_out;
    std::ostream &m_err;
    std::ostream *m_last = nullptr;
};

// A file's name as the findings name it: UTF-8 that is safe to print whatever the name holds.
std::string PathText(const std::filesystem::path &path);

// A Windows-1251 text for the terminal: UTF-8, with control characters as '?' so that no file can steer
// the terminal.
std::string Shown(std::string_view cp1251);
// An answer as the question window labels it, by its number 1 to 4: "а)" to "г)".
std::string_view AnswerLetter(int number);
// A byte as a message names it: 0xNN.
std::string ByteName(char byte);
// A text of a base as a message quotes it: shown in «», a long text cut short.
std::string Quoted(std::string_view cp1251);
