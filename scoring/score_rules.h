// The current and best score as the main window shows them: two label texts that the
// end of every scored game rewrites.
#pragma once

#include <QString>
#include <optional>

namespace dz
{

// Points added to the current score for a result word ("Win", "Lost", "Tie") at a
// level; nullopt when either is not one of the words, compared exactly.
std::optional<double> Points(const QString& result, const QString& level);

// Adds the points for `result` at `level` to the current score and raises the best
// score when the current one passes it. An unknown result or level scores nothing, but
// the best score is still refreshed. The best score is never lowered; when it rises it
// takes the current score's text as it stands.
void UpdateScore(const QString& result, const QString& level, QString& currentScoreText,
                 QString& highScoreText);

} // namespace dz
