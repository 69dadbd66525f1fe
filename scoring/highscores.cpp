#include "scoring/highscores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "engine/numbers.h"
#include "platform/atomic_file.h"
#include "platform/folders.h"

namespace dz
{

namespace
{

const QString FileName = QStringLiteral("HighScore.dat");

// A line longer than this is cut; the rest of it is skipped.
constexpr qsizetype MaxFieldBytes = 4096;
// Reading gives up after this many bytes, so a runaway file is never read whole.
constexpr qint64 MaxScanBytes = 1 << 20;
constexpr int FileLines = 10;

// Lines of a file ended by CR LF, LF or a lone CR. A longer line keeps one byte more
// than MaxFieldBytes, which tells DecodeField to cut it.
class LineReader
{
public:
    explicit LineReader(QFile& file) : file_(file) {}

    // nullopt at the end of the file or of the reading budget.
    std::optional<QByteArray> next()
    {
        QByteArray line;
        bool any = false;
        for (;;) {
            if (pos_ == buf_.size() && !refill())
                break;
            const char c = buf_.at(pos_++);
            any = true;
            if (c == '\n')
                return line;
            if (c == '\r') {
                if ((pos_ < buf_.size() || refill()) && buf_.at(pos_) == '\n')
                    ++pos_;
                return line;
            }
            if (line.size() <= MaxFieldBytes)
                line.append(c);
        }
        if (!any)
            return std::nullopt;
        return line;
    }

private:
    bool refill()
    {
        if (scanned_ >= MaxScanBytes)
            return false;
        buf_ = file_.read(qMin<qint64>(4096, MaxScanBytes - scanned_));
        pos_ = 0;
        scanned_ += buf_.size();
        return !buf_.isEmpty();
    }

    QFile& file_;
    QByteArray buf_;
    qsizetype pos_ = 0;
    qint64 scanned_ = 0;
};

// Cuts an over-long line to MaxFieldBytes, never inside a character.
QByteArray CutField(QByteArray bytes)
{
    if (bytes.size() > MaxFieldBytes) {
        bytes.truncate(MaxFieldBytes);
        qsizetype lead = bytes.size() - 1;
        while (lead > 0 && (static_cast<unsigned char>(bytes[lead]) & 0xC0) == 0x80)
            --lead;
        const auto first = static_cast<unsigned char>(bytes[lead]);
        const qsizetype needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (bytes.size() - lead < needed)
            bytes.truncate(lead);
    }
    return bytes;
}

QByteArray SkipLeadingBlanks(const QByteArray& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    return text.mid(i);
}

// A name is the whole line: a comma in a typed name must not shift the entries below.
QByteArray NameField(const QByteArray& line)
{
    return SkipLeadingBlanks(CutField(line));
}

// A score ends at its line end or at a comma.
QString ScoreField(const QByteArray& line)
{
    const QByteArray text = SkipLeadingBlanks(CutField(line));
    const qsizetype comma = text.indexOf(',');
    return QString::fromUtf8(comma < 0 ? text : text.left(comma));
}

// Only a regular file counts: a folder or a pipe of that name is no high-score file.
std::optional<QString> ExistingFile(const Folder& filesFolder)
{
    const QString path = FindFileCaseBlind(filesFolder.path(), FileName);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

// Up to `count` lines of the file; nullopt when there is no readable file.
std::optional<QList<QByteArray>> ReadLines(const Folder& filesFolder, int count)
{
    const std::optional<QString> path = ExistingFile(filesFolder);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    LineReader reader(file);
    QList<QByteArray> lines;
    while (lines.size() < count) {
        std::optional<QByteArray> line = reader.next();
        if (!line)
            break;
        lines.append(std::move(*line));
    }
    return lines;
}

QString HighScoreFilePath(const Folder& filesFolder)
{
    const QString found = FindFileCaseBlind(filesFolder.path(), FileName);
    return found.isEmpty() ? filesFolder.filePath(FileName) : found;
}

} // namespace

HighScoreList DefaultHighScores()
{
    return HighScoreList{};
}

QString NameText(const QByteArray& name)
{
    return QString::fromUtf8(name);
}

QByteArray NameBytes(const QString& typed)
{
    QString name = typed;
    name.remove(u'\r');
    name.remove(u'\n');
    return name.toUtf8();
}

HighScoreList ReadHighScores(const Folder& filesFolder)
{
    HighScoreList list = DefaultHighScores();
    const std::optional<QList<QByteArray>> lines = ReadLines(filesFolder, FileLines);
    if (!lines)
        return list;
    for (qsizetype i = 0; i < lines->size(); ++i) {
        HighScoreEntry& entry = list[i / 2];
        if (i % 2 == 0)
            entry.name = NameField(lines->at(i));
        else
            entry.score = TextNumber(ScoreField(lines->at(i)));
    }
    return list;
}

WriteResult WriteHighScores(const Folder& filesFolder, const HighScoreList& list)
{
    if (!QDir().mkpath(filesFolder.path()))
        return {QStringLiteral("the folder cannot be made")};
    QByteArray content;
    for (const HighScoreEntry& entry : list) {
        content += entry.name + "\r\n";
        content += NumberText(entry.score).toLatin1() + "\r\n";
    }
    return WriteFileAtomically(HighScoreFilePath(filesFolder), content);
}

std::optional<QString> ReadStartupBestScore(const Folder& filesFolder)
{
    const std::optional<QList<QByteArray>> lines = ReadLines(filesFolder, 2);
    if (!lines || lines->size() < 2)
        return std::nullopt;
    const QString score = ScoreField(lines->at(1));
    // The label is read back as a number later, so garbage must not reach it.
    if (!score.isEmpty() && !IsNumberText(score))
        return QStringLiteral("0");
    return score;
}

std::optional<int> PlaceFor(const HighScoreList& list, double score)
{
    for (int k = 0; k < int(list.size()); ++k) {
        if (list[k].score <= score)
            return k;
    }
    return std::nullopt;
}

HighScoreList InsertHighScore(const HighScoreList& list, int place, const HighScoreEntry& entry)
{
    HighScoreList result = list;
    for (int k = int(result.size()) - 1; k > place; --k)
        result[k] = list[k - 1];
    result[place] = entry;
    return result;
}

QString NamePromptTitle(int place)
{
    return place == int(HighScoreList().size()) - 1 ? QStringLiteral("I Need Your Name")
                                                    : QStringLiteral("I need your name");
}

SavedHighScores SaveHighScore(const Folder& filesFolder, const std::optional<HighScoreEntry>& entry)
{
    HighScoreList list = ReadHighScores(filesFolder);
    if (entry) {
        if (const std::optional<int> place = PlaceFor(list, entry->score))
            list = InsertHighScore(list, *place, *entry);
    }
    const WriteResult written = WriteHighScores(filesFolder, list);
    return {written.ok() ? list : ReadHighScores(filesFolder), written};
}

} // namespace dz
