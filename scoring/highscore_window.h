// The two ways the high-score list reaches the screen.
#pragma once

#include <QString>

#include "kit/context.h"

namespace dz
{

// The end of a run: places the current score (label text) if it qualifies, asking the
// player's name, rewrites the file and shows the list window modeless. A failed write
// is told, and the list then shows what the file holds.
void UpdateHighScores(Context& ctx, QWidget* owner, const QString& currentScoreText);

// The menu's view of the stored list; the file is neither created nor changed.
void ShowStoredHighScores(Context& ctx);

} // namespace dz
