// The current and best score as the main window shows them: two label texts that the
// end of every scored game rewrites.
#pragma once

#include <QString>

namespace dz
{

// Adds the points for `result` ("Win", "Lost", "Tie") at `level` to the current score
// and raises the best score when the current one passes it. An unknown result or level
// scores nothing, but the best score is still refreshed. The best score is never
// lowered; when it rises it takes the current score's text as it stands.
void UpdateScore(const QString& result, const QString& level, QString& currentScoreText,
                 QString& highScoreText);

} // namespace dz
