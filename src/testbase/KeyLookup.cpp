#include "testbase/KeyLookup.h"

#include "testbase/Cp1251.h"

#include <algorithm>

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

KeySet::Key::Key(std::string upperKey) : upper(std::move(upperKey))
{
    if (upper.empty() || upper.size() > 8 * MaxWords)
        return;
    std::array<unsigned char, 8 * MaxWords> wantBytes{}, foldBytes{}, careBytes{};
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto c = static_cast<unsigned char>(upper[i]);
        // The bytes that upper-case to c: c itself and at most one other, its other letter case.
        bool itself = false;
        int others = 0;
        unsigned char other = c;
        for (int b = 0; b < 256; ++b) {
            if (static_cast<unsigned char>(UpperCp1251(static_cast<char>(b))) != c)
                continue;
            if (b == c) {
                itself = true;
            } else {
                ++others;
                other = static_cast<unsigned char>(b);
            }
        }
        const auto bit = static_cast<unsigned char>(c ^ other);
        if (!itself || others > 1 || (bit & (bit - 1)) != 0)
            return;
        foldBytes[i] = bit;
        wantBytes[i] = c | bit;
        careBytes[i] = 0xFF;
    }
    words = (upper.size() + 7) / 8;
    std::memcpy(want.data(), wantBytes.data(), wantBytes.size());
    std::memcpy(fold.data(), foldBytes.data(), foldBytes.size());
    std::memcpy(care.data(), careBytes.data(), careBytes.size());
}

KeySet::KeySet(const std::vector<std::string_view> &keys)
{
    for (std::size_t j = 0; j < keys.size(); ++j) {
        m_keys.emplace_back(UpperCp1251(keys[j]));
        const std::string &upper = m_keys[j].upper;
        if (!upper.empty()) {
            m_byFirst[static_cast<unsigned char>(upper.front())].keys.push_back(j);
            continue;
        }
        m_emptyKeys.push_back(j);
        for (Group &group : m_byFirst)
            group.keys.push_back(j);
    }
    for (Group &group : m_byFirst) {
        if (group.keys.size() < 2)
            continue;
        std::size_t shortest = SIZE_MAX;
        for (const std::size_t j : group.keys)
            shortest = std::min(shortest, Length(j));
        for (std::size_t at = 1; at < shortest && group.at == 0; ++at) {
            std::vector<std::size_t> only(256, 0);
            const bool apart = std::all_of(group.keys.begin(), group.keys.end(), [&](std::size_t j) {
                std::size_t &slot = only[static_cast<unsigned char>(m_keys[j].upper[at])];
                const bool free = slot == 0;
                slot = j + 1;
                return free;
            });
            if (apart) {
                group.at = at;
                group.only = std::move(only);
            }
        }
    }
}

KeyIndex::KeyIndex(const BaseText &text, const std::vector<std::string_view> &keys, std::size_t first)
    : m_text(text), m_keys(keys), m_lines(keys.size()), m_next(keys.size(), 0)
{
    const char *end = text.LineCount() == 0 ? nullptr : text.Bytes()->data() + text.Bytes()->size();
    for (std::size_t i = std::max<std::size_t>(first, 1); i <= text.LineCount(); ++i) {
        m_keys.ForEachKeyOf(text.Line(i), end,
                            [&](std::size_t j) { m_lines[j].push_back(static_cast<std::uint32_t>(i)); });
    }
}

void KeyIndex::MoveTo(std::size_t start)
{
    for (std::size_t j = 0; j < m_lines.size(); ++j) {
        const std::vector<std::uint32_t> &lines = m_lines[j];
        std::size_t &next = m_next[j];
        while (next < lines.size() && lines[next] < start)
            ++next;
    }
}

std::string_view KeyIndex::Value(std::size_t key) const
{
    const std::size_t line = Line(key);
    return line == 0 ? std::string_view() : m_text.Line(line).substr(m_keys.Length(key));
}
