#pragma once

#include <optional>
#include <string>
#include <string_view>

// A line that no key begins, though its author surely meant one: the key meant (as the base writes it, with
// "=") and what keeps the line from counting, in Russian.
struct NearMiss
{
    std::string_view key;
    std::string why;
};

// line must begin with no key of the program in any letter case.
std::optional<NearMiss> FindNearMiss(std::string_view line);
