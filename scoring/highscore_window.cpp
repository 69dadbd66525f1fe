#include "scoring/highscore_window.h"

#include "engine/numbers.h"
#include "kit/background.h"
#include "kit/show_window.h"
#include "platform/folders.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscores.h"

namespace dz
{

namespace
{

void ShowList(Context& ctx, const HighScoreList& list)
{
    ShowModeless<frmHighScore>(ctx, [&](frmHighScore& w) { w.fill(list); });
}

} // namespace

void UpdateHighScores(Context& ctx, QWidget* owner, const QString& currentScoreText)
{
    const double current = TextNumber(currentScoreText);
    std::optional<HighScoreEntry> entry;
    if (const std::optional<int> place = PlaceFor(ReadHighScores(ctx.filesFolder), current)) {
        const QString name = ctx.dialogs.InputBox(owner, NamePrompt, NamePromptTitle(*place), {});
        entry = HighScoreEntry{NameBytes(name), current};
    }
    const SavedHighScores saved =
        AwayFromInterface([&] { return SaveHighScore(ctx.filesFolder, entry); });
    if (!saved.failure.isEmpty())
        ctx.TellUnsaved(owner, QStringLiteral("The high scores"),
                        FindFile(ctx.filesFolder, QStringLiteral("HighScore.dat")), saved.failure);
    ShowList(ctx, saved.list);
}

void ShowStoredHighScores(Context& ctx)
{
    ShowList(ctx, ReadHighScores(ctx.filesFolder));
}

} // namespace dz
