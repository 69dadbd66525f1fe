// The high-score file holding whatever bytes a disk may hold: reading survives them with
// every field in bounds, and the list read survives being written back, as the end of a
// run does: every score reads back unchanged.
#include <cmath>

#include "engine/numbers.h"
#include "fuzz_support.h"
#include "scoring/highscores.h"

static QString Describe(const dz::HighScoreList& list)
{
    QStringList parts;
    for (const dz::HighScoreEntry& e : list)
        parts << QStringLiteral("[%1|%2]").arg(e.name.left(40), dz::NumberText(e.score));
    return parts.join(u' ');
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString folder = dz::fuzz::Scratch.path();
    dz::fuzz::WriteBytes(folder + QStringLiteral("/HighScore.dat"),
                         QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));

    const dz::HighScoreList list = dz::ReadHighScores(folder);
    for (const dz::HighScoreEntry& e : list)
        FUZZ_CHECK(std::isfinite(e.score) && e.name.size() <= 4096 && !e.name.contains(u'\r') &&
                       !e.name.contains(u'\n'),
                   Describe(list));
    // The label text at start-up: a number, or empty for an empty score line.
    const std::optional<QString> best = dz::ReadStartupBestScore(folder);
    FUZZ_CHECK(!best || best->isEmpty() || dz::IsNumberText(*best), *best);

    FUZZ_CHECK(dz::WriteHighScores(folder, list), Describe(list));
    const dz::HighScoreList again = dz::ReadHighScores(folder);
    for (size_t i = 0; i < list.size(); ++i)
        FUZZ_CHECK(again[i].score == list[i].score, Describe(list) + " became " + Describe(again));
    return 0;
}
