// The high-score file holding whatever bytes a disk may hold: reading survives them, and
// the list read survives being written back, as the end of a run does, name bytes and
// scores alike.
#include <cmath>

#include "engine/numbers.h"
#include "fuzz_support.h"
#include "scoring/highscores.h"

static QString Describe(const dz::HighScoreList& list)
{
    QStringList parts;
    for (const dz::HighScoreEntry& e : list)
        parts << QStringLiteral("[%1|%2]").arg(e.name.left(40).toHex(), dz::NumberText(e.score));
    return parts.join(u' ');
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const dz::Folder folder = dz::Folder::fromPath(dz::fuzz::Scratch.path());
    dz::fuzz::WriteBytes(folder.filePath(QStringLiteral("HighScore.dat")),
                         QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));

    const dz::HighScoreList list = dz::ReadHighScores(folder);
    for (const dz::HighScoreEntry& e : list)
        FUZZ_CHECK(std::isfinite(e.score) && !e.name.contains('\r') && !e.name.contains('\n'),
                   Describe(list));
    // The label text at start-up: a number, or empty for an empty score line.
    const std::optional<QString> best = dz::ReadStartupBestScore(folder);
    FUZZ_CHECK(!best || best->isEmpty() || dz::IsNumberText(*best), *best);

    FUZZ_CHECK(dz::WriteHighScores(folder, list).ok(), Describe(list));
    const dz::HighScoreList again = dz::ReadHighScores(folder);
    FUZZ_CHECK(again == list, Describe(list) + " became " + Describe(again));
    return 0;
}
