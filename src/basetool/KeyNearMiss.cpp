#include "basetool/KeyNearMiss.h"

#include "testbase/BaseFormat.h"
#include "testbase/Cp1251.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {
// Longer than any key with a few blanks in it; a longer text before "=" or ":" is no key.
constexpr std::size_t LongestName = 30;

// Upper-case Cyrillic letters that look like Latin ones, and those Latin ones: a key typed with a
// Russian keyboard layout looks right and matches nothing.
constexpr std::string_view CyrillicLookalikes = "\xC0\xC2\xC5\xCA\xCC\xCD\xCE\xD0\xD1\xD2\xD3\xD5";
constexpr std::string_view LatinLookalikes = "ABEKMHOPCTYX";

// The name a line begins with, as its author meant it, and the slips found on the way.
struct Name
{
    std::string text; // upper case, without blanks, lookalikes made Latin
    bool leadingBlank = false;
    bool innerBlank = false;
    bool cyrillic = false;
    bool colon = false;
};

std::optional<Name> NameOf(std::string_view line)
{
    const auto end = line.substr(0, LongestName + 1).find_first_of("=:");
    if (end == std::string_view::npos)
        return std::nullopt;
    Name name;
    name.colon = line[end] == ':';
    for (std::size_t i = 0; i < end; ++i) {
        const char c = UpperCp1251(line[i]);
        if (c == ' ' || c == '\t') {
            (name.text.empty() ? name.leadingBlank : name.innerBlank) = true;
            continue;
        }
        const auto lookalike = CyrillicLookalikes.find(c);
        name.cyrillic = name.cyrillic || lookalike != std::string_view::npos;
        name.text += lookalike != std::string_view::npos ? LatinLookalikes[lookalike] : c;
    }
    return name;
}

// Edits (insert, delete, replace, swap two neighbours) that turn a into b; both are at most LongestName long.
std::size_t Distance(std::string_view a, std::string_view b)
{
    std::array<std::array<std::size_t, LongestName + 1>, LongestName + 1> d{};
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// Every key of a base, and its name as NameOf gives it.
struct Key
{
    std::string_view key;
    std::string name;
};
const std::vector<Key> &Keys()
{
    static const std::vector<Key> keys = [] {
        std::vector<Key> all;
        for (const auto *list : {&BaseFormat::QuestionKeys, &BaseFormat::SettingKeys}) {
            for (const std::string_view key : *list)
                all.push_back({key, UpperCp1251(key.substr(0, key.size() - 1))});
        }
        return all;
    }();
    return keys;
}

std::string Why(const Name &name, bool typo)
{
    std::string why;
    const auto add = [&](bool slip, std::string_view text) {
        if (slip)
            why += std::string(why.empty() ? "" : ", ") + std::string(text);
    };
    add(name.leadingBlank, "пробел перед ключом");
    add(name.innerBlank, "пробел внутри ключа или перед «=»");
    add(name.colon, "двоеточие вместо «=»");
    add(name.cyrillic, "русские буквы вместо латинских");
    add(typo, "опечатка");
    return why;
}
} // namespace

std::optional<NearMiss> FindNearMiss(std::string_view line)
{
    const auto name = NameOf(line);
    if (!name || name->text.size() < 3)
        return std::nullopt;
    const Key *best = nullptr;
    std::size_t bestDistance = 0;
    for (const Key &key : Keys()) {
        // One slip in a short key, two in a long one; more is a word of its own.
        const std::size_t allowed = key.name.size() >= 8 ? 2 : 1;
        const std::size_t longer = std::max(name->text.size(), key.name.size());
        if (longer - std::min(name->text.size(), key.name.size()) > allowed)
            continue;
        const std::size_t distance = Distance(name->text, key.name);
        if (distance <= allowed && (best == nullptr || distance < bestDistance)) {
            best = &key;
            bestDistance = distance;
        }
    }
    if (best == nullptr)
        return std::nullopt;
    return NearMiss{best->key, Why(*name, bestDistance > 0)};
}
