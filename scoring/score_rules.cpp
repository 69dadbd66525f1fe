#include "scoring/score_rules.h"

#include <algorithm>

#include "engine/numbers.h"
#include "engine/opponent.h"

namespace dz
{

namespace
{

struct PointsRow {
    const char* result;
    double points[std::tuple_size_v<decltype(Levels)>]; // by level, in the order of Levels
};

constexpr PointsRow PointsTable[] = {
    {"Lost", {-1, -2, -3, -3}},
    {"Win", {0.5, 2, 3, 100}},
    {"Tie", {-0.5, 0, 0, 0.5}},
};

} // namespace

std::optional<double> Points(const QString& result, const QString& level)
{
    const auto column = std::find(Levels.begin(), Levels.end(), level);
    for (const PointsRow& row : PointsTable) {
        if (result == QLatin1String(row.result) && column != Levels.end())
            return row.points[size_t(column - Levels.begin())];
    }
    return std::nullopt;
}

void UpdateScore(const QString& result, const QString& level, QString& currentScoreText,
                 QString& highScoreText)
{
    // Rewritten even for 0 points, so the text always reads in plain form.
    if (const std::optional<double> points = Points(result, level))
        currentScoreText = NumberText(TextNumber(currentScoreText) + *points);

    // An empty best score (an empty line in the high-score file) is no number to compare
    // with: the current score takes its place first.
    if (highScoreText.isEmpty())
        highScoreText = currentScoreText;
    if (TextNumber(highScoreText) < TextNumber(currentScoreText))
        highScoreText = currentScoreText;
}

} // namespace dz
