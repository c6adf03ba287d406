#include "testbase/KeyLookup.h"

#include "testbase/Cp1251.h"
#include "testbase/Yield.h"

#include <algorithm>
#include <array>

bool StartsWithKey(std::string_view line, std::string_view upperKey)
{
    if (line.size() < upperKey.size())
        return false;
    // From the key's end, where keys that share a beginning (ANSWER1= to ANSWER4=) differ.
    for (std::size_t i = upperKey.size(); i > 0; --i) {
        if (UpperCp1251(line[i - 1]) != upperKey[i - 1])
            return false;
    }
    return true;
}

std::string GetSet(const BaseText &arr, std::string_view sValue, std::size_t StartPos)
{
    const std::string key = UpperCp1251(sValue);
    for (std::size_t i = std::max<std::size_t>(StartPos, 1); i <= arr.LineCount(); ++i) {
        const std::string_view line = arr.Line(i);
        if (StartsWithKey(line, key))
            return std::string(line.substr(key.size()));
    }
    return {};
}

KeyIndex::KeyIndex(const BaseText &text, const std::vector<std::string_view> &keys,
                   const std::vector<std::size_t> &startLines, const std::function<void()> &yield)
    : m_text(text), m_keyCount(keys.size()), m_found(startLines.size() * keys.size(), 0)
{
    std::vector<std::string> upperKeys;
    for (std::string_view key : keys) {
        upperKeys.push_back(UpperCp1251(key));
        m_keyLengths.push_back(key.size());
    }
    // The keys a line can begin with, by its first character upper-cased: most lines begin with none or
    // one. An empty key begins every line, the empty line included.
    std::array<std::vector<std::size_t>, 256> byFirst;
    std::vector<std::size_t> emptyKeys;
    for (std::size_t j = 0; j < m_keyCount; ++j) {
        if (!upperKeys[j].empty()) {
            byFirst[static_cast<unsigned char>(upperKeys[j].front())].push_back(j);
            continue;
        }
        emptyKeys.push_back(j);
        for (auto &keysOf : byFirst)
            keysOf.push_back(j);
    }

    // Walking from the last line back, nearest[j] is the first line at or after the current one that
    // begins with key j; at each start line it is exactly what GetSet would find.
    std::vector<std::size_t> nearest(m_keyCount, 0);
    std::size_t pending = startLines.size(); // starts not yet passed, counted from the front
    while (pending > 0 && startLines[pending - 1] > text.LineCount())
        --pending;
    if (pending == 0)
        return;
    const std::size_t first = std::max<std::size_t>(startLines.front(), 1);
    Yielder yielder(yield);
    for (std::size_t i = text.LineCount(); i >= first; --i) {
        const std::string_view line = text.Line(i);
        const auto &candidates =
            line.empty() ? emptyKeys : byFirst[static_cast<unsigned char>(UpperCp1251(line.front()))];
        for (const std::size_t j : candidates) {
            if (StartsWithKey(line, upperKeys[j]))
                nearest[j] = i;
        }
        while (pending > 0 && std::max<std::size_t>(startLines[pending - 1], 1) == i) {
            --pending;
            std::copy(nearest.begin(), nearest.end(),
                      m_found.begin() + static_cast<std::ptrdiff_t>(pending * m_keyCount));
        }
        yielder.Line();
    }
}

std::string_view KeyIndex::Value(std::size_t start, std::size_t key) const
{
    const std::size_t line = Line(start, key);
    return line == 0 ? std::string_view() : m_text.Line(line).substr(m_keyLengths[key]);
}
