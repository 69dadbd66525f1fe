#include "scoring/highscore_window.h"

#include "engine/numbers.h"
#include "play/show_window.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscores.h"

namespace dz
{

namespace
{

void ShowList(Context& ctx, const HighScoreList& list)
{
    ShowModeless<frmHighScore>([&](frmHighScore& w) { w.fill(list); }, ctx);
}

} // namespace

void UpdateHighScores(Context& ctx, const QString& currentScoreText)
{
    ShowList(ctx, UpdateHighScoreList(ctx.filesFolder, TextNumber(currentScoreText), *ctx.dialogs));
}

void ShowStoredHighScores(Context& ctx)
{
    ShowList(ctx, ReadHighScores(ctx.filesFolder));
}

} // namespace dz
