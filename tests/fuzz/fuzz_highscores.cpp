// The high-score file holding whatever bytes a disk may hold: reading survives them, and the
// list read survives being written back, as the end of a run does, name bytes and scores alike.
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#undef NDEBUG // the checks are the point
#include <cassert>

#include "engine/numbers.h"
#include "scoring/highscores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir scratch;
    QFile file(scratch.filePath("HighScore.dat"));
    assert(file.open(QIODevice::WriteOnly));
    assert(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    file.close();
    const dz::HighScoreList list = dz::ReadHighScores(scratch.path());
    for (const dz::HighScoreEntry& e : list) {
        assert(std::isfinite(e.score));
        assert(!e.name.contains('\r') && !e.name.contains('\n'));
    }
    // The label text at start-up: a number, or empty for an empty score line.
    const std::optional<QString> best = dz::ReadStartupBestScore(scratch.path());
    assert(!best || best->isEmpty() || dz::IsNumberText(*best));
    if (dz::SaveHighScore(scratch.path(), std::nullopt).failure.isEmpty())
        assert(dz::ReadHighScores(scratch.path()) == list);
    return 0;
}
