#pragma once

#include "testbase/BaseText.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Whether line begins with the key in any letter case; upperKey is already upper-cased.
bool StartsWithKey(std::string_view line, std::string_view upperKey);

// The value of the first line from StartPos on whose first characters equal sValue in any letter case;
// empty when none does. Nothing is trimmed. StartPos 0 searches from line 1. This is the definition;
// KeyIndex answers the same faster.
std::string GetSet(const BaseText &arr, std::string_view sValue, std::size_t StartPos);

// Answers GetSet for a fixed set of keys and start lines in one backward pass over the text, so that a
// base whose keys are missing costs no more than one whose keys are all there.
class KeyIndex
{
public:
    // Values of keys[j] looked up from startLines[i] are then Value(i, j). startLines must be ascending
    // (repeats allowed). text must outlive the index; yield is called every few thousand lines.
    KeyIndex(const BaseText &text, const std::vector<std::string_view> &keys,
             const std::vector<std::size_t> &startLines, const std::function<void()> &yield = {});

    std::string_view Value(std::size_t start, std::size_t key) const;
    // The line that value stands on; 0 when no line has the key.
    std::size_t Line(std::size_t start, std::size_t key) const { return m_found[start * m_keyCount + key]; }

private:
    const BaseText &m_text;
    std::size_t m_keyCount;
    std::vector<std::size_t> m_keyLengths;
    std::vector<std::size_t> m_found; // line number per (start, key), 0 = no line
};
