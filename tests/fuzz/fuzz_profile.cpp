// The settings file holding whatever bytes a disk may hold, and a value read and
// written under any section and key. Input: four lines (section, key, value, room for
// the read) and then the file's bytes.
#include <algorithm>
#include <optional>
#include <tuple>

#include "fuzz_support.h"
#include "windows/profile.h"

namespace
{

// What a settings file gives back as it was written: one line, not starting with a
// byte-order mark (decoding drops it), no blanks at the edges (a reader trims them), a
// key that reads as a key and a value that is not all in quotes (a reader strips them).
bool Storable(const QString& section, const QString& key, const QString& value)
{
    const auto plain = [](const QString& s) {
        return !s.contains(u'\r') && !s.contains(u'\n') && !s.startsWith(QChar(0xFEFF)) &&
               s.trimmed() == s;
    };
    const bool quoted = value.size() > 1 && value.back() == value.front() &&
                        (value.front() == u'"' || value.front() == u'\'');
    return plain(section) && plain(key) && plain(value) && !quoted && !key.isEmpty() &&
           !key.contains(u'=') && !QStringLiteral(";#[").contains(key.front());
}

// The value under section and key, or nothing.
std::optional<QString> Lookup(const QString& section, const QString& key, const QByteArray& file)
{
    const QString a = dz::ProfileString(section, key, "\x01", 1 << 21, file);
    if (a == "\x01" && dz::ProfileString(section, key, "\x02", 1 << 21, file) == "\x02")
        return std::nullopt;
    return a;
}

// Sections and keys as the file spells them, found the simple way, and what each reads
// as now: enough to look at what a write must leave alone.
QList<std::tuple<QString, QString, std::optional<QString>>> Others(const QByteArray& file)
{
    QList<std::tuple<QString, QString, std::optional<QString>>> others;
    QString section;
    for (const QByteArray& raw : QByteArray(file).replace('\r', '\n').split('\n')) {
        const QByteArray line = raw.trimmed();
        const QString key = QString::fromUtf8(line.left(line.indexOf('='))).trimmed();
        if (line.startsWith('[') && line.contains(']'))
            section = QString::fromUtf8(line.mid(1, line.lastIndexOf(']') - 1)).trimmed();
        else if (line.indexOf('=') > 0 && others.size() < 8)
            others.append({section, key, Lookup(section, key, file)});
    }
    return others;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArrayView rest(reinterpret_cast<const char*>(data), qsizetype(size));
    QString field[4]; // section, key, value, room for the read
    for (QString& f : field) {
        const qsizetype end = rest.indexOf('\n');
        f = QString::fromUtf8(end < 0 ? rest : rest.first(end));
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    }
    const QString &section = field[0], &key = field[1], &value = field[2];
    const QByteArray file = rest.toByteArray();
    const QString what = QStringLiteral("[%1] %2=%3").arg(section, key, value);

    // A read never returns more than its room, nor other text than the value's start.
    const int room = field[3].isEmpty() ? 1000 : std::clamp(field[3].toInt(), -5, 100000);
    const QString cut = dz::ProfileString(section, key, value, room, file);
    FUZZ_CHECK(cut.size() <= std::max(room - 1, 0) &&
                   Lookup(section, key, file).value_or(value).startsWith(cut),
               what + " read as " + cut);

    // A value already held leaves every byte; any other write keeps the other keys.
    const QByteArray written = dz::WithProfileString(section, key, value, file);
    FUZZ_CHECK(Lookup(section, key, file) != value || written == file, what);
    if (!Storable(section, key, value))
        return 0;
    FUZZ_CHECK(Lookup(section, key, written) == value,
               what + " reads back as " + Lookup(section, key, written).value_or("nothing"));
    for (const auto& [s, k, was] : Others(file)) {
        const bool same =
            !s.compare(section, Qt::CaseInsensitive) && !k.compare(key, Qt::CaseInsensitive);
        FUZZ_CHECK(same || Lookup(s, k, written) == was,
                   "[" + s + "] " + k + " changed by " + what);
    }
    return 0;
}
