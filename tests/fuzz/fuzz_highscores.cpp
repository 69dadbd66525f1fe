// The high-score file holding whatever bytes a disk may hold. Reading must survive
// them, the two readers must agree, and the list read must survive being written back:
// what the game writes at the end of a run is what the next run reads.
#include <algorithm>
#include <cmath>

#include "engine/numbers.h"
#include "fuzz_support.h"
#include "scoring/highscores.h"

namespace
{

// Lines as the file's reader counts them: ended by CR LF, LF or a lone CR; a last
// line without an end counts when it holds anything.
int LinesIn(QByteArrayView bytes)
{
    int lines = 0;
    qsizetype i = 0;
    bool open = false;
    while (i < bytes.size()) {
        const char c = bytes[i++];
        if (c == '\n' || c == '\r') {
            if (c == '\r' && i < bytes.size() && bytes[i] == '\n')
                ++i;
            ++lines;
            open = false;
        } else {
            open = true;
        }
    }
    return lines + (open ? 1 : 0);
}

QString Describe(const dz::HighScoreList& list)
{
    QStringList parts;
    for (const dz::HighScoreEntry& e : list)
        parts << QStringLiteral("[%1|%2]").arg(e.name.left(40), dz::NumberText(e.score));
    return parts.join(u' ');
}

// A name as the reader hands it back once more: decoding drops a byte-order mark at the
// start of a line and the reader then skips blanks, so a name that starts with U+FEFF
// loses it (and the blanks behind it) when rewritten. Invisible either way.
QString Settled(QString name)
{
    while (!name.isEmpty() &&
           (name.front() == QChar(0xFEFF) || name.front() == u' ' || name.front() == u'\t'))
        name.remove(0, 1);
    return name;
}

bool HasSettled(const dz::HighScoreEntry& e)
{
    return e.name.toUtf8().size() <= 4096 && !e.name.startsWith(QChar(0xFEFF));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString folder = dz::fuzz::Folder();
    const QString path = folder + QStringLiteral("/HighScore.dat");
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    dz::fuzz::WriteBytes(path, input);

    const dz::HighScoreList list = dz::ReadHighScores(folder);
    for (const dz::HighScoreEntry& e : list) {
        FUZZ_CHECK(std::isfinite(e.score), Describe(list));
        FUZZ_CHECK(!e.name.contains(u'\r') && !e.name.contains(u'\n'), Describe(list));
        FUZZ_CHECK(e.name.size() <= 4096, QString::number(e.name.size()));
    }

    const std::optional<QString> best = dz::ReadStartupBestScore(folder);
    FUZZ_CHECK(best.has_value() == (LinesIn(input) >= 2),
               QStringLiteral("%1 lines, best %2").arg(LinesIn(input)).arg(best.value_or("none")));
    if (best) {
        // The label must read back as a number, and as the list's first score.
        FUZZ_CHECK(best->isEmpty() || dz::IsNumberText(*best), *best);
        if (!best->isEmpty() && *best != QLatin1String("0"))
            FUZZ_CHECK(dz::TextNumber(*best) == list[0].score, *best + u' ' + Describe(list));
    }

    // Written back (as the end of a run does), every score reads back unchanged and
    // every name that fits the reader's line length too.
    FUZZ_CHECK(dz::WriteHighScores(folder, list), path);
    const dz::HighScoreList again = dz::ReadHighScores(folder);
    for (size_t i = 0; i < list.size(); ++i) {
        FUZZ_CHECK(again[i].score == list[i].score,
                   QStringLiteral("read %1, rewritten %2").arg(Describe(list), Describe(again)));
        if (list[i].name.toUtf8().size() <= 4096)
            FUZZ_CHECK(
                Settled(again[i].name) == Settled(list[i].name),
                QStringLiteral("read %1, rewritten %2").arg(Describe(list), Describe(again)));
    }
    const std::optional<QString> bestAgain = dz::ReadStartupBestScore(folder);
    FUZZ_CHECK(bestAgain && *bestAgain == dz::NumberText(list[0].score),
               bestAgain.value_or("none") + u' ' + Describe(list));

    // A second round changes nothing once every name has settled: fits the reader's line
    // length (a bad byte read as U+FFFD takes three bytes when written back) and has no
    // mark to lose.
    const bool settled = std::all_of(again.begin(), again.end(),
                                     [](const dz::HighScoreEntry& e) { return HasSettled(e); });
    FUZZ_CHECK(dz::WriteHighScores(folder, again), path);
    const QByteArray written = dz::fuzz::ReadBytes(path);
    FUZZ_CHECK(dz::WriteHighScores(folder, dz::ReadHighScores(folder)), path);
    if (settled)
        FUZZ_CHECK(dz::fuzz::ReadBytes(path) == written, QString::fromUtf8(written.left(200)));
    return 0;
}
