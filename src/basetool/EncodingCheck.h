#pragma once

#include "basetool/Findings.h"

#include <string_view>
#include <vector>

// Warnings about a base's bytes themselves: an encoding other than Windows-1251, a byte-order mark, line ends
// other than CR LF. Lines are numbered as the program numbers them.
struct EncodingReport
{
    std::vector<Finding> findings;
    // The program misreads the whole file (UTF-16, or only LF ending lines, which makes it one line), so
    // what it finds in the lines would help no author.
    bool misread = false;
};
EncodingReport EncodingFindings(std::string_view bytes);
