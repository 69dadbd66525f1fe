// Points added to the current score per result and level. The scoring rules and the
// scoring-table window both read this one table.
#pragma once

#include <array>
#include <string_view>

namespace dz
{

inline constexpr std::array<std::string_view, 4> Levels{"Easy", "Moderate", "Hard", "Unbeatable"};

struct PointsRow {
    std::string_view result; // the word passed to the scoring rules
    std::string_view label;  // the row as the scoring table shows it
    std::array<double, 4> points;
};

// In the order the rules test the result words.
inline constexpr std::array<PointsRow, 3> PointsTable{{
    {"Lost", "Loss", {-1, -2, -3, -3}},
    {"Win", "Win", {0.5, 2, 3, 100}},
    {"Tie", "Tie", {-0.5, 0, 0, 0.5}},
}};

} // namespace dz
