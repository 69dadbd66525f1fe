#include "scoring/highscores.h"

#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

#include "engine/numbers.h"
#include "platform/atomic_file.h"
#include "platform/folders.h"

namespace dz
{

namespace
{

const QByteArray FileName = QByteArrayLiteral("HighScore.dat");

// A line longer than this is no name anyone typed: it is shown cut, and the file is not
// rewritten, so nothing of it is lost.
constexpr qsizetype MaxLineBytes = qsizetype(4) << 20;
constexpr int FileLines = 10;

// Lines of a file ended by CR LF, LF or a lone CR.
class LineReader
{
public:
    explicit LineReader(int fd) : fd_(fd) {}

    // nullopt at the end of the file or on a read error.
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
            if (line.size() < MaxLineBytes)
                line.append(c);
            else
                cut = true;
        }
        if (!any)
            return std::nullopt;
        return line;
    }

    bool cut = false;
    int error = 0;

private:
    bool refill()
    {
        buf_.resize(65536);
        const ssize_t n = ::read(fd_, buf_.data(), size_t(buf_.size()));
        if (n < 0)
            error = errno;
        buf_.resize(qMax<ssize_t>(n, 0));
        pos_ = 0;
        return n > 0;
    }

    int fd_;
    QByteArray buf_;
    qsizetype pos_ = 0;
};

QByteArray SkipLeadingBlanks(const QByteArray& text)
{
    const auto first =
        std::find_if(text.begin(), text.end(), [](char c) { return c != ' ' && c != '\t'; });
    return text.sliced(first - text.begin());
}

// A score ends at its line end or at a comma.
QString ScoreField(const QByteArray& line)
{
    const QByteArray text = SkipLeadingBlanks(line);
    const qsizetype comma = text.indexOf(',');
    return QString::fromUtf8(comma < 0 ? text : text.left(comma));
}

struct StoredLines {
    QList<QByteArray> lines; // none when there is no file
    bool cut;                // a line was beyond MaxLineBytes
    int error;               // the file is there but could not be read
};

// Up to `count` lines of the file `name` (empty: there is none).
StoredLines ReadLines(const OpenFolder& folder, const QByteArray& name, int count)
{
    StoredLines stored{};
    const int fd = OpenFileForReading(folder, name);
    if (fd == -1) {
        stored.error = errno == ENOENT ? 0 : errno;
        return stored;
    }
    LineReader reader(fd);
    while (stored.lines.size() < count) {
        std::optional<QByteArray> line = reader.next();
        if (!line)
            break;
        stored.lines.append(std::move(*line));
    }
    ::close(fd);
    stored.cut = reader.cut;
    stored.error = reader.error;
    return stored;
}

StoredLines ReadLines(const Folder& filesFolder, int count)
{
    const OpenFolder folder = OpenFolder::open(filesFolder, false);
    if (!folder.isOpen())
        return {};
    return ReadLines(folder, FindFileCaseBlind(folder, FileName), count);
}

HighScoreList ListFrom(const QList<QByteArray>& lines)
{
    HighScoreList list = DefaultHighScores();
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
    for (const HighScoreEntry& entry : list) {
        content += entry.name + "\r\n";
        content += NumberText(entry.score).toLatin1() + "\r\n";
    }
    return content;
}

} // namespace

HighScoreList DefaultHighScores()
{
    return HighScoreList{};
}

QString NameText(const QByteArray& name)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(name);
    if (!utf8.hasError())
        return text;
    // Windows-1252 where it differs from Latin-1; its five unused bytes stay control codes.
    static const char16_t high[] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString shown;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return shown;
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
    return ListFrom(ReadLines(filesFolder, FileLines).lines);
}

WriteResult WriteHighScores(const Folder& filesFolder, const HighScoreList& list)
{
    return LockedFile(filesFolder, FileName).write(FileContent(list));
}

std::optional<QString> ReadStartupBestScore(const Folder& filesFolder)
{
    const StoredLines stored = ReadLines(filesFolder, FileLines);
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

HighScoreList InsertHighScore(const HighScoreList& list, int place, const HighScoreEntry& entry)
{
    QList<HighScoreEntry> entries(list.cbegin(), list.cend());
    entries.insert(place, entry); // the last one drops out below
    HighScoreList result;
    std::copy_n(entries.cbegin(), result.size(), result.begin());
    return result;
}

QString NamePromptTitle(int place)
{
    return place == int(HighScoreList().size()) - 1 ? QStringLiteral("I Need Your Name")
                                                    : QStringLiteral("I need your name");
}

SavedHighScores SaveHighScore(const Folder& filesFolder, const std::optional<HighScoreEntry>& entry)
{
    // Read under the lock: another copy of the game may have saved since the name prompt.
    const LockedFile file(filesFolder, FileName);
    if (!file.failure().ok())
        return {ReadHighScores(filesFolder), file.failure()};
    const StoredLines stored = ReadLines(file.folder(), file.name(), FileLines);
    const HighScoreList old = ListFrom(stored.lines);
    if (stored.error != 0)
        return {old, {QStringLiteral("the file cannot be read: ") + FailureText(stored.error)}};
    if (stored.cut)
        return {old, {QStringLiteral("a line of the file is too long to keep")}};
    HighScoreList list = old;
    if (entry) {
        if (const std::optional<int> place = PlaceFor(list, entry->score))
            list = InsertHighScore(list, *place, *entry);
    }
    const WriteResult written = file.write(FileContent(list));
    return {written.ok() ? list : old, written};
}

} // namespace dz
