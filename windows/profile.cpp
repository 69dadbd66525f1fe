#include "windows/profile.h"

#include <optional>

namespace dz
{

namespace
{

// The parser works alike on UTF-8 bytes (QByteArray) and on UTF-16 units (QString),
// so either file keeps every unit it had, even one that is no valid character.
char16_t At(const QByteArray& text, qsizetype i)
{
    return static_cast<unsigned char>(text[i]);
}

char16_t At(const QString& text, qsizetype i)
{
    return text[i].unicode();
}

QString Decoded(const QByteArray& text, qsizetype start, qsizetype length)
{
    return QString::fromUtf8(text.constData() + start, length);
}

QString Decoded(const QString& text, qsizetype start, qsizetype length)
{
    return text.mid(start, length);
}

template <class Text> Text Encoded(const QString& text);

template <> QByteArray Encoded(const QString& text)
{
    return text.toUtf8();
}

template <> QString Encoded(const QString& text)
{
    return text;
}

qsizetype BomLength(const QByteArray& text)
{
    return text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

qsizetype BomLength(const QString&)
{
    return 0; // the UTF-16 mark is taken off before parsing
}

// Offsets into the text. Lines end in CRLF, LF or a lone CR.
struct Line {
    qsizetype start;
    qsizetype end;  // end of the content, before the line end
    qsizetype next; // start of the following line
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind;
    qsizetype nameStart;
    qsizetype nameEnd;
    qsizetype valueStart; // the value with its quotes, blanks around it excluded
    qsizetype valueEnd;
};

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

template <class Text> Line LineAt(const Text& data, qsizetype start)
{
    Line line{start, start, start};
    qsizetype i = start;
    while (i < data.size() && At(data, i) != u'\n' && At(data, i) != u'\r')
        ++i;
    line.end = i;
    if (i < data.size())
        i += (At(data, i) == u'\r' && i + 1 < data.size() && At(data, i + 1) == u'\n') ? 2 : 1;
    line.next = i;
    return line;
}

// Narrows [start, end) to leave out blanks at both edges.
template <class Text> void Trim(const Text& data, qsizetype& start, qsizetype& end)
{
    while (start < end && IsBlank(At(data, start)))
        ++start;
    while (end > start && IsBlank(At(data, end - 1)))
        --end;
}

template <class Text> ParsedLine Parse(const Text& data, const Line& line)
{
    ParsedLine p{};
    qsizetype s = line.start;
    qsizetype e = line.end;
    Trim(data, s, e);
    if (s == e || At(data, s) == u';' || At(data, s) == u'#')
        return p;
    if (At(data, s) == u'[') {
        qsizetype close = e - 1;
        while (close > s && At(data, close) != u']')
            --close;
        if (close > s) {
            p.kind = LineKind::Section;
            p.nameStart = s + 1;
            p.nameEnd = close;
            Trim(data, p.nameStart, p.nameEnd);
            return p;
        }
        // An unclosed bracket is no header: the line may still be a key.
    }
    qsizetype eq = s;
    while (eq < e && At(data, eq) != u'=')
        ++eq;
    if (eq == e || eq == s)
        return p;
    p.kind = LineKind::Key;
    p.nameStart = s;
    p.nameEnd = eq;
    Trim(data, p.nameStart, p.nameEnd);
    p.valueStart = eq + 1;
    p.valueEnd = e;
    Trim(data, p.valueStart, p.valueEnd);
    return p;
}

template <class Text> bool SameName(const Text& data, const ParsedLine& p, const QString& wanted)
{
    return Decoded(data, p.nameStart, p.nameEnd - p.nameStart)
               .compare(wanted, Qt::CaseInsensitive) == 0;
}

template <class Text> QString Unquoted(const Text& data, qsizetype start, qsizetype end)
{
    if (end - start >= 2 && (At(data, start) == u'"' || At(data, start) == u'\'') &&
        At(data, end - 1) == At(data, start)) {
        ++start;
        --end;
    }
    return Decoded(data, start, end - start);
}

// Where a key lives in the file, or where it would go.
struct Location {
    bool sectionFound;
    bool keyFound;
    Line lastLine; // the section's header or its last key: a new key goes after it
    qsizetype valueStart;
    qsizetype valueEnd;
};

template <class Text> Location Locate(const Text& data, const QString& section, const QString& key)
{
    Location loc{};
    bool inSection = false;
    for (qsizetype pos = BomLength(data); pos < data.size();) {
        const Line line = LineAt(data, pos);
        pos = line.next;
        const ParsedLine p = Parse(data, line);
        if (p.kind == LineKind::Section) {
            if (inSection)
                break; // only the first section of that name counts
            if (SameName(data, p, section)) {
                loc.sectionFound = inSection = true;
                loc.lastLine = line;
            }
        } else if (p.kind == LineKind::Key && inSection) {
            if (SameName(data, p, key)) {
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

template <class Text>
std::optional<QString> Value(const Text& data, const QString& section, const QString& key)
{
    const Location loc = Locate(data, section, key);
    if (!loc.keyFound)
        return std::nullopt;
    return Unquoted(data, loc.valueStart, loc.valueEnd);
}

// How the file's first line ends; CR LF for a file of one line or none.
template <class Text> Text FirstLineEnd(const Text& data)
{
    const Line first = LineAt(data, 0);
    if (first.next == first.end)
        return Encoded<Text>(QStringLiteral("\r\n"));
    return data.sliced(first.end, first.next - first.end);
}

// nullopt when the file already holds the value.
template <class Text>
std::optional<Text> Updated(Text data, const QString& section, const QString& key,
                            const QString& value)
{
    const Text eol = FirstLineEnd(data);
    const Text keyLine = Encoded<Text>(key + u'=' + value);
    const Location loc = Locate(data, section, key);
    if (loc.keyFound) {
        if (Unquoted(data, loc.valueStart, loc.valueEnd) == value)
            return std::nullopt;
        data.replace(loc.valueStart, loc.valueEnd - loc.valueStart, Encoded<Text>(value));
    } else if (loc.sectionFound) {
        const Line& after = loc.lastLine;
        if (after.next > after.end)
            data.insert(after.next, keyLine + eol);
        else // the last line of the file, without a line end of its own
            data.insert(after.end, eol + keyLine + eol);
    } else {
        const qsizetype size = data.size();
        if (size > BomLength(data) && At(data, size - 1) != u'\n' && At(data, size - 1) != u'\r')
            data += eol;
        data += Encoded<Text>(u'[' + section + u']') + eol + keyLine + eol;
    }
    return data;
}

// UTF-16LE units after the byte-order mark; an odd last byte is left out.
QString Utf16Units(const QByteArray& file)
{
    QString units((file.size() - 2) / 2, Qt::Uninitialized);
    qsizetype at = 2;
    for (QChar& unit : units) {
        unit = QChar(char16_t(static_cast<unsigned char>(file[at]) |
                              static_cast<unsigned char>(file[at + 1]) << 8));
        at += 2;
    }
    return units;
}

bool IsUtf16(const QByteArray& file)
{
    return file.startsWith("\xFF\xFE");
}

QString CutTo(QString text, int size)
{
    const qsizetype room = size > 1 ? size - 1 : 0;
    if (text.size() <= room)
        return text;
    text.truncate(room);
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1); // never leave half a character
    return text;
}

} // namespace

QString ProfileString(const QString& section, const QString& key, const QString& defaultValue,
                      int size, const QByteArray& file)
{
    const std::optional<QString> value =
        IsUtf16(file) ? Value(Utf16Units(file), section, key) : Value(file, section, key);
    return CutTo(value.value_or(defaultValue), size);
}

QByteArray WithProfileString(const QString& section, const QString& key, const QString& value,
                             const QByteArray& file)
{
    if (!IsUtf16(file))
        return Updated(file, section, key, value).value_or(file);
    const std::optional<QString> units = Updated(Utf16Units(file), section, key, value);
    if (!units)
        return file;
    QByteArray bytes("\xFF\xFE");
    for (const QChar unit : *units)
        bytes.append(char(unit.unicode() & 0xFF)).append(char(unit.unicode() >> 8));
    if (file.size() % 2 != 0)
        bytes += file.back(); // an odd trailing byte, kept as it was
    return bytes;
}

} // namespace dz
