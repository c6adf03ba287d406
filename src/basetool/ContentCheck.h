#pragma once

#include "basetool/Findings.h"
#include "testbase/BaseText.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Warnings about what a base says that the program accepts but its author surely did not mean: the title
// and time lines, each question's keys, answers and flag, keys the program never reads, the settings, and
// repeated questions. questLine holds the question lines at positions 1 to the number of questions.
std::vector<Finding> ContentFindings(const BaseText &text, const std::vector<std::uint32_t> &questLine);
