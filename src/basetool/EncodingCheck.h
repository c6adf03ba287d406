#pragma once

#include "basetool/Findings.h"

#include <string_view>
#include <vector>

// Warnings about a base's bytes themselves: an encoding other than Windows-1251, a byte-order mark, line ends
// other than CR LF. Lines are numbered as the program numbers them.
struct EncodingReport
{
    std::vector<Finding> findings;
    // Only LF ends lines, so the program sees one line and what it says of the lines helps no author.
    bool oneLine = false;
};
EncodingReport EncodingFindings(std::string_view bytes);
