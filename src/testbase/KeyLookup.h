#pragma once

#include "testbase/BaseText.h"
#include "testbase/Cp1251.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Whether line begins with the key in any letter case; upperKey is already upper-cased. Inline, as every
// line of a base is tried.
inline bool StartsWithKey(std::string_view line, std::string_view upperKey)
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

// The value of the first line from StartPos on whose first characters equal sValue in any letter case;
// empty when none does. Nothing is trimmed. StartPos 0 searches from line 1. This is the definition;
// KeyIndex and the loader's one pass over the lines answer the same faster.
std::string GetSet(const BaseText &arr, std::string_view sValue, std::size_t StartPos);

// The keys of a fixed set that a line begins with, in any letter case. Lines are sorted by their first
// character upper-cased, so most are tried against one key or none.
class KeySet
{
public:
    explicit KeySet(const std::vector<std::string_view> &keys);

    std::size_t Length(std::size_t key) const { return m_keys[key].upper.size(); }
    // Calls onKey(j) for each key j that line begins with. The bytes from the line's start to end may be
    // read: a line within a larger block is compared eight bytes at a time.
    template <typename OnKey> void ForEachKeyOf(std::string_view line, const char *end, OnKey onKey) const
    {
        if (line.empty()) {
            for (const std::size_t j : m_emptyKeys)
                onKey(j);
            return;
        }
        const Group &group = m_byFirst[static_cast<unsigned char>(UpperCp1251(line.front()))];
        if (group.at == 0) {
            for (const std::size_t j : group.keys) {
                if (m_keys[j].Begins(line, end))
                    onKey(j);
            }
        } else if (line.size() > group.at) {
            const std::size_t only = group.only[static_cast<unsigned char>(UpperCp1251(line[group.at]))];
            if (only != 0 && m_keys[only - 1].Begins(line, end))
                onKey(only - 1);
        }
    }

private:
    // A key and, where each of its characters has at most two letter cases one bit apart (as Latin and
    // Cyrillic letters have), its words: a line's byte b matches the key's where (b | fold) == want, so the
    // key is compared eight bytes at a time instead of character by character through the case table.
    struct Key
    {
        explicit Key(std::string upperKey);
        bool Begins(std::string_view line, const char *end) const
        {
            if (line.size() < upper.size())
                return false;
            if (words == 0 || end - line.data() < static_cast<std::ptrdiff_t>(8 * words))
                return StartsWithKey(line, upper);
            for (std::size_t w = 0; w < words; ++w) {
                std::uint64_t bytes = 0;
                std::memcpy(&bytes, line.data() + 8 * w, sizeof bytes);
                if (((bytes | fold[w]) & care[w]) != want[w])
                    return false;
            }
            return true;
        }
        static constexpr std::size_t MaxWords = 3; // the longest keys of a base have 18 characters
        std::string upper;
        std::size_t words = 0; // 0 where the key is compared character by character
        std::array<std::uint64_t, MaxWords> want{}, fold{}, care{};
    };
    // The keys that begin with one character. Keys that share a beginning (ANSWER1= to ANSWER4=) mostly
    // all differ in one character: when they do, that character alone picks the one a line may begin with,
    // and a line is compared with that key only.
    struct Group
    {
        std::vector<std::size_t> keys;
        std::size_t at = 0;            // where the keys all differ; 0 when they do not, or are one
        std::vector<std::size_t> only; // by the character there: 1 + the key with it, or 0
    };
    std::vector<Key> m_keys;
    std::array<Group, 256> m_byFirst; // an empty key begins every line, the empty one too
    std::vector<std::size_t> m_emptyKeys;
};

// Answers GetSet for a fixed set of keys in one forward pass over the text, which notes the lines that begin
// with each key; lookups from ascending start lines then only move forward through those lines. A base whose
// keys are missing costs no more than one whose keys are all there, and the index holds one number per
// keyed line, however many questions look it up.
class KeyIndex
{
public:
    // Notes the lines from line first on (0 counts as 1). text must outlive the index.
    KeyIndex(const BaseText &text, const std::vector<std::string_view> &keys, std::size_t first);

    // Moves the lookups to start line start: at least first, and no less than any start before it.
    void MoveTo(std::size_t start);
    // What GetSet finds for keys[key] from the start line: the line it stands on, 0 when none has the key,
    // and its value.
    std::size_t Line(std::size_t key) const
    {
        const std::vector<std::uint32_t> &lines = m_lines[key];
        return m_next[key] < lines.size() ? lines[m_next[key]] : 0;
    }
    std::string_view Value(std::size_t key) const;

private:
    const BaseText &m_text;
    KeySet m_keys;
    std::vector<std::vector<std::uint32_t>> m_lines; // per key, the lines that begin with it, ascending
    std::vector<std::size_t> m_next;                 // per key, its first line at or after the start
};
