#include "scoring/highscore_window.h"

#include "engine/numbers.h"
#include "kit/background.h"
#include "kit/show_window.h"
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
    if (!saved.written.ok())
        ctx.MsgBox(owner,
                   QStringLiteral("The high scores could not be saved in \u201c%1\u201d: %2.")
                       .arg(ctx.filesFolder.filePath(QStringLiteral("HighScore.dat")),
                            saved.written.failure),
                   vbExclamation);
    ShowList(ctx, saved.list);
}

void ShowStoredHighScores(Context& ctx)
{
    ShowList(ctx, ReadHighScores(ctx.filesFolder));
}

} // namespace dz
