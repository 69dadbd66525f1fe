#include "windows/profile.h"

#include <QtEndian>

namespace dz
{

namespace
{

bool IsUtf16(const QByteArray& file)
{
    return file.startsWith("\xFF\xFE");
}

// The file as text that keeps every byte: UTF-16LE units after the byte-order mark (an odd last
// byte left out), or one character per byte, so bytes that are no valid text stay as they were.
QString TextOf(const QByteArray& file)
{
    if (!IsUtf16(file))
        return QString::fromLatin1(file);
    QString text((file.size() - 2) / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(file.constData() + 2, text.size(), text.data());
    return text;
}

QByteArray BytesOf(const QString& text, const QByteArray& file)
{
    if (!IsUtf16(file))
        return text.toLatin1();
    QByteArray bytes(2 + 2 * text.size(), Qt::Uninitialized);
    bytes[0] = '\xFF';
    bytes[1] = '\xFE';
    qToLittleEndian<char16_t>(text.constData(), text.size(), bytes.data() + 2);
    if (file.size() % 2 != 0)
        bytes += file.back();
    return bytes;
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView Trimmed(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

// Where a key is in the file, or where it would go.
struct Spot {
    bool inSection = false;
    bool found = false;
    qsizetype from = 0; // the value, quotes included, when found;
    qsizetype to = 0;   // else the end of the section's header or of its last key line
    QString eol;        // how the file's first line ends
};

Spot Locate(const QString& text, const QString& section, const QString& key)
{
    Spot spot;
    // A UTF-8 byte-order mark is no part of the first line.
    qsizetype next = text.startsWith(QLatin1String("\xEF\xBB\xBF")) ? 3 : 0;
    while (next < text.size()) {
        const qsizetype start = next;
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        next = end + (text.mid(end, 2) == QLatin1String("\r\n") ? 2 : 1);
        if (spot.eol.isNull())
            spot.eol = text.mid(end, next - end); // empty for a last line
        const QStringView line = Trimmed(QStringView(text).sliced(start, end - start));
        const qsizetype close = line.lastIndexOf(u']');
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'[') && close > 0) {
            if (spot.inSection)
                break; // only the first section of that name counts
            spot.inSection =
                Trimmed(line.sliced(1, close - 1)).compare(section, Qt::CaseInsensitive) == 0;
            spot.to = end;
        } else if (spot.inSection && equals > 0 && !line.startsWith(u';') &&
                   !line.startsWith(u'#')) {
            spot.to = end;
            if (Trimmed(line.first(equals)).compare(key, Qt::CaseInsensitive) == 0) {
                spot.found = true;
                spot.to = line.constData() - text.constData() + line.size();
                spot.from = spot.to - Trimmed(line.sliced(equals + 1)).size();
                break;
            }
        }
    }
    if (spot.eol.isEmpty())
        spot.eol = QStringLiteral("\r\n");
    return spot;
}

QString Unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

} // namespace

QString ProfileString(const QString& section, const QString& key, const QString& defaultValue,
                      int size, const QByteArray& file)
{
    const QString text = TextOf(file);
    const Spot spot = Locate(text, section, key);
    QString value = spot.found ? Unquoted(QStringView(text).sliced(spot.from, spot.to - spot.from))
                               : defaultValue;
    value.truncate(size - 1); // none for a room below 2
    if (!value.isEmpty() && value.back().isHighSurrogate())
        value.chop(1); // never half a character
    return value;
}

QByteArray WithProfileString(const QString& section, const QString& key, const QString& value,
                             const QByteArray& file)
{
    QString text = TextOf(file);
    const Spot spot = Locate(text, section, key);
    if (spot.found) {
        if (Unquoted(QStringView(text).sliced(spot.from, spot.to - spot.from)) == value)
            return file;
        text.replace(spot.from, spot.to - spot.from, value);
    } else if (spot.inSection) {
        // After the section's last key line, before its line end, so a last line without one
        // gets one.
        text.insert(spot.to, spot.eol + key + u'=' + value);
    } else {
        if (!text.isEmpty() && !text.endsWith(u'\n') && !text.endsWith(u'\r'))
            text += spot.eol;
        text += u'[' + section + u']' + spot.eol + key + u'=' + value + spot.eol;
    }
    return BytesOf(text, file);
}

} // namespace dz
