#include "windows/profile.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

#include "platform/atomic_file.h"

namespace dz
{

namespace
{

// Offsets into the file's bytes. Lines end in CRLF, LF or a lone CR.
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;  // end of the content, before the line end
    qsizetype next = 0; // start of the following line
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QByteArrayView name;
    qsizetype valueStart = 0; // the value with its quotes, blanks around it excluded
    qsizetype valueEnd = 0;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

qsizetype bomLength(const QByteArray& data)
{
    return data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

Line lineAt(const QByteArray& data, qsizetype start)
{
    Line line{start, start, start};
    qsizetype i = start;
    while (i < data.size() && data[i] != '\n' && data[i] != '\r')
        ++i;
    line.end = i;
    if (i < data.size())
        i += (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ? 2 : 1;
    line.next = i;
    return line;
}

ParsedLine parse(const QByteArray& data, const Line& line)
{
    ParsedLine p;
    qsizetype s = line.start;
    qsizetype e = line.end;
    while (s < e && isBlank(data[s]))
        ++s;
    while (e > s && isBlank(data[e - 1]))
        --e;
    if (s == e || data[s] == ';' || data[s] == '#')
        return p;
    const QByteArrayView content(data.constData() + s, e - s);
    if (content.front() == '[') {
        const qsizetype close = content.lastIndexOf(']');
        if (close > 0) {
            p.kind = LineKind::Section;
            p.name = trimmed(content.sliced(1, close - 1));
            return p;
        }
        // An unclosed bracket is no header: the line may still be a key.
    }
    const qsizetype eq = content.indexOf('=');
    if (eq <= 0)
        return p;
    p.name = trimmed(content.first(eq));
    if (p.name.isEmpty())
        return p;
    p.kind = LineKind::Key;
    p.valueStart = s + eq + 1;
    while (p.valueStart < e && isBlank(data[p.valueStart]))
        ++p.valueStart;
    p.valueEnd = e;
    return p;
}

bool sameName(QByteArrayView stored, const QString& wanted)
{
    return QString::fromUtf8(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

QString unquoted(QByteArrayView raw)
{
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
        raw = raw.sliced(1, raw.size() - 2);
    return QString::fromUtf8(raw);
}

// Where a key lives in the file, or where it would go.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    Line lastLine; // the section's header or its last key: a new key goes after it
    qsizetype valueStart = 0;
    qsizetype valueEnd = 0;
};

Location locate(const QByteArray& data, const QString& section, const QString& key)
{
    Location loc;
    bool inSection = false;
    for (qsizetype pos = bomLength(data); pos < data.size();) {
        const Line line = lineAt(data, pos);
        pos = line.next;
        const ParsedLine p = parse(data, line);
        if (p.kind == LineKind::Section) {
            if (inSection)
                break; // only the first section of that name counts
            if (sameName(p.name, section)) {
                loc.sectionFound = inSection = true;
                loc.lastLine = line;
            }
        } else if (p.kind == LineKind::Key && inSection) {
            if (sameName(p.name, key)) {
                loc.keyFound = true;
                loc.valueStart = p.valueStart;
                loc.valueEnd = p.valueEnd;
                break;
            }
            loc.lastLine = line;
        }
    }
    return loc;
}

// The file's bytes, or nothing when it cannot be read. Only regular files are opened,
// so a pipe or a device named like the file cannot hang or flood the reader.
std::optional<QByteArray> readBounded(const QString& filePath, qint64 limit)
{
    if (!QFileInfo(filePath).isFile())
        return std::nullopt;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.read(limit);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

QString cutTo(QString text, int size)
{
    const qsizetype room = size > 1 ? size - 1 : 0;
    if (text.size() <= room)
        return text;
    text.truncate(room);
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1); // never leave half a character
    return text;
}

QByteArray firstLineEnd(const QByteArray& data)
{
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == '\n')
            return "\n";
        if (data[i] == '\r')
            return i + 1 < data.size() && data[i + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\r\n";
}

} // namespace

QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int size, const QString& filePath)
{
    if (const auto data = readBounded(filePath, MaxProfileFileBytes)) {
        const Location loc = locate(*data, section, key);
        if (loc.keyFound)
            return cutTo(unquoted(QByteArrayView(*data).sliced(loc.valueStart,
                                                               loc.valueEnd - loc.valueStart)),
                         size);
    }
    return cutTo(defaultValue, size);
}

WriteResult WritePrivateProfileString(const QString& section, const QString& key,
                                      const QString& value, const QString& filePath)
{
    QByteArray data;
    const QFileInfo info(filePath);
    if (info.exists() || info.isSymLink()) {
        // Whatever cannot be read whole is left alone rather than replaced by a stub.
        auto old = readBounded(filePath, MaxProfileFileBytes + 1);
        if (!old || old->size() > MaxProfileFileBytes)
            return {QStringLiteral("the file cannot be read whole")};
        data = std::move(*old);
    }

    const QByteArray eol = firstLineEnd(data);
    const QByteArray keyLine = key.toUtf8() + '=' + value.toUtf8();
    const Location loc = locate(data, section, key);
    QByteArray updated = data;
    if (loc.keyFound) {
        const qsizetype length = loc.valueEnd - loc.valueStart;
        if (unquoted(QByteArrayView(data).sliced(loc.valueStart, length)) == value)
            return {};
        updated.replace(loc.valueStart, length, value.toUtf8());
    } else if (loc.sectionFound) {
        const Line& after = loc.lastLine;
        if (after.next > after.end)
            updated.insert(after.next, keyLine + eol);
        else // the last line of the file, without a line end of its own
            updated.insert(after.end, eol + keyLine + eol);
    } else {
        if (data.size() > bomLength(data) && !data.endsWith('\n') && !data.endsWith('\r'))
            updated += eol;
        updated += '[' + section.toUtf8() + ']' + eol + keyLine + eol;
    }

    return WriteFileAtomically(filePath, updated);
}

} // namespace dz
