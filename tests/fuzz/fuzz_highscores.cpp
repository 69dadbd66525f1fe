// The high-score file holding whatever bytes a disk may hold: reading survives them, and
// the list read survives being written back, as the end of a run does, name bytes and
// scores alike.
#include <QTemporaryDir>
#include <cmath>
#undef NDEBUG // the checks are the point
#include <cassert>

#include "engine/numbers.h"
#include "scoring/highscores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir scratch;
    const dz::Folder folder = dz::Folder::fromPath(scratch.path());
    QFile file(folder.filePath(QStringLiteral("HighScore.dat")));
    const qint64 stored =
        file.open(QIODevice::WriteOnly) ? file.write(reinterpret_cast<const char*>(data), qint64(size)) : -1;
    assert(stored == qint64(size));
    file.close();
    const dz::HighScoreList list = dz::ReadHighScores(folder);
    for (const dz::HighScoreEntry& e : list)
        assert(std::isfinite(e.score) && !e.name.contains('\r') && !e.name.contains('\n'));
    // The label text at start-up: a number, or empty for an empty score line.
    const std::optional<QString> best = dz::ReadStartupBestScore(folder);
    assert(!best || best->isEmpty() || dz::IsNumberText(*best));
    const bool kept = dz::SaveHighScore(folder, std::nullopt).written.ok();
    assert(!kept || dz::ReadHighScores(folder) == list);
    return 0;
}
