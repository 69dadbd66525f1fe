// The settings file holding whatever bytes a disk may hold, and a value read and
// written under any section and key. Input: three lines (section, key, value), then the
// file's bytes.
#include "fuzz_support.h"
#include "windows/profile.h"

namespace
{

// What a file can give back as written: one line, no blanks at the edges (a reader
// trims them), not all in quotes (a reader strips them), a key that reads as a key.
bool Storable(const QString& section, const QString& key, const QString& value)
{
    for (const QString& s : {section, key, value})
        if (s.contains(u'\r') || s.contains(u'\n') || s.trimmed() != s || s.startsWith(QChar(0xFEFF)))
            return false;
    const bool quoted = value.size() > 1 && value.back() == value.front() &&
                        (value.front() == u'"' || value.front() == u'\'');
    return !quoted && !key.isEmpty() && !key.contains(u'=') && !QStringLiteral(";#[").contains(key.front());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArrayView rest(reinterpret_cast<const char*>(data), qsizetype(size));
    QString field[3]; // section, key, value
    for (QString& f : field) {
        const qsizetype end = rest.indexOf('\n');
        f = QString::fromUtf8(end < 0 ? rest : rest.first(end));
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    }
    const QString path = dz::fuzz::Scratch.path() + QStringLiteral("/DirIziVur.ini");
    dz::fuzz::WriteBytes(path, rest);
    const QString what = QStringLiteral("[%1] %2=%3").arg(field[0], field[1], field[2]);
    const auto read = [&](const QString& s, const QString& k) {
        return dz::GetPrivateProfileString(s, k, QStringLiteral("\x01"), 1 << 21, path);
    };
    // A read never returns more than its room, nor other text than the value's start.
    const QString cut = dz::GetPrivateProfileString(field[0], field[1], field[2], 6, path);
    const QString whole = read(field[0], field[1]);
    FUZZ_CHECK(cut.size() <= 5 && (whole == "\x01" ? field[2] : whole).startsWith(cut), what);

    // A refused write leaves the file alone; a key written reads back, and a key of
    // another section keeps its value.
    const QString other = read(QStringLiteral("Other"), field[1]);
    const bool written = dz::WritePrivateProfileString(field[0], field[1], field[2], path).ok();
    FUZZ_CHECK(written || dz::fuzz::ReadBytes(path) == rest, what);
    if (written && Storable(field[0], field[1], field[2])) {
        FUZZ_CHECK(read(field[0], field[1]) == field[2], what + " reads " + read(field[0], field[1]));
        FUZZ_CHECK(!field[0].compare(QStringLiteral("Other"), Qt::CaseInsensitive) ||
                       read(QStringLiteral("Other"), field[1]) == other,
                   what + " changed [Other]");
    }
    return 0;
}
