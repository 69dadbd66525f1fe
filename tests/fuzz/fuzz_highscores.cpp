// The high-score file holding whatever bytes a disk may hold: reading survives them, and
// the list read survives being written back, as the end of a run does, name bytes and
// scores alike.
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "engine/numbers.h"
#include "scoring/highscores.h"

static void Check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort(); // libFuzzer keeps the input
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir scratch;
    const dz::Folder folder = dz::Folder::fromPath(scratch.path());
    QFile file(folder.filePath(QStringLiteral("HighScore.dat")));
    Check(file.open(QIODevice::WriteOnly) &&
              file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size),
          "written");
    file.close();
    const dz::HighScoreList list = dz::ReadHighScores(folder);
    for (const dz::HighScoreEntry& e : list)
        Check(std::isfinite(e.score) && !e.name.contains('\r') && !e.name.contains('\n'), "a field");
    // The label text at start-up: a number, or empty for an empty score line.
    const std::optional<QString> best = dz::ReadStartupBestScore(folder);
    Check(!best || best->isEmpty() || dz::IsNumberText(*best), "the best score");
    const bool kept = dz::SaveHighScore(folder, std::nullopt).written.ok();
    Check(!kept || dz::ReadHighScores(folder) == list, "the list written back");
    return 0;
}
