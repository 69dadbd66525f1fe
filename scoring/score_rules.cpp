#include "scoring/score_rules.h"

#include <array>

#include "engine/numbers.h"

namespace dz
{

namespace
{

constexpr std::array<const char*, 4> Levels{"Easy", "Moderate", "Hard", "Unbeatable"};

struct PointsRow {
    const char* result;
    std::array<double, 4> points; // by level, in the order of Levels
};

constexpr std::array<PointsRow, 3> PointsTable{{
    {"Lost", {-1, -2, -3, -3}},
    {"Win", {0.5, 2, 3, 100}},
    {"Tie", {-0.5, 0, 0, 0.5}},
}};

} // namespace

std::optional<double> Points(const QString& result, const QString& level)
{
    for (const PointsRow& row : PointsTable) {
        if (result != QLatin1String(row.result))
            continue;
        for (size_t column = 0; column < Levels.size(); ++column) {
            if (level == QLatin1String(Levels[column]))
                return row.points[column];
        }
    }
    return std::nullopt;
}

void UpdateScore(const QString& result, const QString& level, QString& currentScoreText,
                 QString& highScoreText)
{
    // Rewritten even for 0 points, so the text always reads in plain form.
    if (const std::optional<double> points = Points(result, level))
        currentScoreText = NumberText(TextNumber(currentScoreText) + *points);

    // An empty best score (an empty line in the high-score file) is no number to
    // compare with: the current score takes its place first.
    if (highScoreText.isEmpty())
        highScoreText = currentScoreText;
    if (TextNumber(highScoreText) < TextNumber(currentScoreText))
        highScoreText = currentScoreText;
}

} // namespace dz
