#include "scoring/score_rules.h"

#include "engine/numbers.h"
#include "scoring/points_table.h"

namespace dz
{

namespace
{

bool same(const QString& text, std::string_view word)
{
    return text == QLatin1String(word.data(), static_cast<qsizetype>(word.size()));
}

} // namespace

void UpdateScore(const QString& result, const QString& level, QString& currentScoreText,
                 QString& highScoreText)
{
    for (const PointsRow& row : PointsTable) {
        if (!same(result, row.result))
            continue;
        for (size_t column = 0; column < Levels.size(); ++column) {
            if (same(level, Levels[column])) {
                // Rewritten even for 0 points, so the text always reads in plain form.
                currentScoreText = NumberText(TextNumber(currentScoreText) + row.points[column]);
            }
        }
        break;
    }

    // An empty best score (an empty line in the high-score file) is no number to
    // compare with: the current score takes its place first.
    if (highScoreText.isEmpty())
        highScoreText = currentScoreText;
    if (TextNumber(highScoreText) < TextNumber(currentScoreText))
        highScoreText = currentScoreText;
}

} // namespace dz
