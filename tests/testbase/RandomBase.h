#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>

// Random bases for property tests. Each line is either the same line of a model base, as it stands, or a
// piece that matters to a base reader with its letters in random case (Cyrillic ones and Ё too) and
// sometimes a suffix; lines end in CR LF, CR or LF, and the last one sometimes in nothing.
class RandomBase
{
public:
    explicit RandomBase(std::uint32_t seed = 5489u) : m_random(seed) {}

    // A number from 0 to n - 1.
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random); }

    std::string Make(std::span<const std::string_view> pieces, std::size_t lineCount,
                     std::span<const std::string_view> model = {}, std::size_t keepPercent = 0)
    {
        static const char *const ends[] = {"\r\n", "\r", "\n"};
        std::string bytes;
        for (std::size_t i = 0; i < lineCount; ++i) {
            if (i < model.size() && Pick(100) < keepPercent) {
                bytes += std::string(model[i]) + "\r\n";
                continue;
            }
            std::string line(pieces[Pick(pieces.size())]);
            for (char &c : line) {
                const auto b = static_cast<unsigned char>(c);
                if (Pick(2) == 0 && ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)))
                    c = static_cast<char>(b + 0x20);
                else if (Pick(2) == 0 && b == 0xA8)
                    c = '\xB8';
            }
            bytes += line + (Pick(2) == 0 ? "v" + std::to_string(i) : "");
            if (i + 1 < lineCount || Pick(2) == 0)
                bytes += ends[Pick(3)];
        }
        return bytes;
    }

private:
    std::mt19937 m_random;
};
