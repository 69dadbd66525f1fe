#include "scoring/highscores.h"

#include <QList>
#include <QStringDecoder>
#include <algorithm>

#include "engine/numbers.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace dz
{

namespace
{

const QString FileName = QStringLiteral("HighScore.dat");
constexpr int FileLines = 10;
// The ten lines fit in this; a longer line is no name anyone typed: it is shown cut, and the
// file is not rewritten, so nothing of it is lost.
constexpr qint64 MaxBytes = qint64(4) << 20;

struct StoredLines {
    QList<QByteArray> lines; // at most ten; none when there is no file
    bool cut;                // a line ran past MaxBytes
    QString failure;         // the file is there but cannot be read
};

StoredLines ReadLines(const QString& path)
{
    const FileRead read = ReadFile(path, MaxBytes + 1);
    QByteArray bytes = read.bytes.value_or(QByteArray());
    const bool whole = bytes.size() <= MaxBytes;
    bytes.truncate(MaxBytes);
    // Lines end in CR LF, LF or a lone CR; what follows the last line end is a line if it
    // holds anything.
    QList<QByteArray> lines = bytes.replace("\r\n", "\n").replace('\r', '\n').split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    StoredLines stored{lines.first(std::min<qsizetype>(lines.size(), FileLines)),
                       !whole && lines.size() <= FileLines, read.failure};
    return stored;
}

QByteArray SkipLeadingBlanks(const QByteArray& text)
{
    const auto first =
        std::find_if(text.begin(), text.end(), [](char c) { return c != ' ' && c != '\t'; });
    return text.sliced(first - text.begin());
}

// A score ends at its line end or at a comma.
QString ScoreField(const QByteArray& line)
{
    return QString::fromUtf8(SkipLeadingBlanks(line).split(',').first());
}

HighScoreList ListFrom(const QList<QByteArray>& lines)
{
    HighScoreList list;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        HighScoreEntry& entry = list[i / 2];
        // A name is the whole line: a comma in a typed name must not shift the entries below.
        if (i % 2 == 0)
            entry.name = SkipLeadingBlanks(lines[i]);
        else
            entry.score = TextNumber(ScoreField(lines[i]));
    }
    return list;
}

QByteArray FileContent(const HighScoreList& list)
{
    QByteArray content;
    for (const HighScoreEntry& entry : list)
        content += entry.name + "\r\n" + NumberText(entry.score).toLatin1() + "\r\n";
    return content;
}

} // namespace

QString NameText(const QByteArray& name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(name);
    return utf8.hasError() ? QStringDecoder("Windows-1252")(name) : text;
}

QByteArray NameBytes(const QString& typed)
{
    QString name = typed;
    name.remove(u'\r');
    name.remove(u'\n');
    return name.toUtf8();
}

HighScoreList ReadHighScores(const QString& filesFolder)
{
    return ListFrom(ReadLines(FindFile(filesFolder, FileName)).lines);
}

std::optional<QString> ReadStartupBestScore(const QString& filesFolder)
{
    const StoredLines stored = ReadLines(FindFile(filesFolder, FileName));
    if (stored.lines.size() < 2)
        return std::nullopt;
    const QString score = ScoreField(stored.lines[1]);
    // The label is read back as a number later, so garbage must not reach it.
    if (!score.isEmpty() && !IsNumberText(score))
        return QStringLiteral("0");
    return score;
}

std::optional<int> PlaceFor(const HighScoreList& list, double score)
{
    const auto place = std::find_if(list.cbegin(), list.cend(),
                                    [score](const HighScoreEntry& e) { return e.score <= score; });
    if (place == list.cend())
        return std::nullopt;
    return int(place - list.cbegin());
}

QString NamePromptTitle(int place)
{
    return place == 4 ? QStringLiteral("I Need Your Name") : QStringLiteral("I need your name");
}

SavedHighScores SaveHighScore(const QString& filesFolder,
                              const std::optional<HighScoreEntry>& entry)
{
    // Read under the lock: another copy of the game may have saved since the name was asked.
    const LockedFile file(filesFolder, FileName);
    if (!file.failure().isEmpty())
        return {ReadHighScores(filesFolder), file.failure()};
    const StoredLines stored = ReadLines(file.path());
    const HighScoreList old = ListFrom(stored.lines);
    if (!stored.failure.isEmpty())
        return {old, QStringLiteral("the file cannot be read: ") + stored.failure};
    if (stored.cut)
        return {old, QStringLiteral("a line of the file is too long to keep")};
    HighScoreList list = old;
    if (const std::optional<int> place = entry ? PlaceFor(old, entry->score) : std::nullopt) {
        // The entries from the place down move one down; the last drops out.
        std::copy_backward(old.begin() + *place, old.end() - 1, list.end());
        list[size_t(*place)] = *entry;
    }
    const QString failure = file.write(FileContent(list));
    return {failure.isEmpty() ? list : old, failure};
}

} // namespace dz
