// The settings file holding whatever bytes a disk may hold, and a value read and
// written under any section and key. Input: four lines (section, key, value, room for
// the read) and then the file's bytes.
#include <QList>
#include <algorithm>

#include "fuzz_support.h"
#include "windows/profile.h"

namespace
{

struct Input {
    QString section, key, value;
    int size = 1000;
    QByteArray file;
};

Input Split(QByteArrayView bytes)
{
    Input in;
    QString* fields[] = {&in.section, &in.key, &in.value};
    for (QString* field : fields) {
        const qsizetype end = bytes.indexOf('\n');
        *field = QString::fromUtf8(end < 0 ? bytes : bytes.first(end));
        bytes = end < 0 ? QByteArrayView() : bytes.sliced(end + 1);
    }
    const qsizetype end = bytes.indexOf('\n');
    bool ok = false;
    const int size = (end < 0 ? bytes : bytes.first(end)).toByteArray().toInt(&ok);
    if (ok)
        in.size = std::clamp(size, -5, 100000);
    in.file = (end < 0 ? QByteArrayView() : bytes.sliced(end + 1)).toByteArray();
    return in;
}

bool Blank(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool BlankEdged(const QString& s)
{
    return !s.isEmpty() && (Blank(s.front()) || Blank(s.back()));
}
// One line, and not starting with a byte-order mark, which decoding drops.
bool OneLine(const QString& s)
{
    return !s.contains(u'\r') && !s.contains(u'\n') && !s.startsWith(QChar(0xFEFF));
}

// Names and values a settings file can hold and give back as they were written: one
// line, no blanks at the edges (a reader trims them), a key that reads as a key.
bool Storable(const Input& in)
{
    if (!OneLine(in.section) || BlankEdged(in.section))
        return false;
    const QString& k = in.key;
    if (k.isEmpty() || !OneLine(k) || BlankEdged(k) || k.contains(u'=') || k.front() == u';' ||
        k.front() == u'#' || k.front() == u'[')
        return false;
    const QString& v = in.value;
    const bool quoted =
        v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
    return OneLine(v) && !BlankEdged(v) && !quoted;
}

const QString Missing1 = QStringLiteral("\x01missing");
const QString Missing2 = QStringLiteral("\x02missing");

// The value under section and key, or nothing.
std::optional<QString> Lookup(const QString& section, const QString& key, const QString& path)
{
    const QString a = dz::GetPrivateProfileString(section, key, Missing1, 1 << 21, path);
    if (a == Missing1 &&
        dz::GetPrivateProfileString(section, key, Missing2, 1 << 21, path) == Missing2)
        return std::nullopt;
    return a;
}

// Section and key names as they stand in the file, found the simple way: enough to
// look at what a write must leave alone.
QList<std::pair<QString, QString>> Probes(const QByteArray& file)
{
    QStringList sections{QString()}, keys;
    for (const QByteArray& raw : file.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[') && line.contains(']') && sections.size() < 5)
            sections << QString::fromUtf8(line.mid(1, line.lastIndexOf(']') - 1)).trimmed();
        else if (const qsizetype eq = line.indexOf('='); eq > 0 && keys.size() < 4)
            keys << QString::fromUtf8(line.first(eq)).trimmed();
    }
    QList<std::pair<QString, QString>> probes;
    for (const QString& s : sections) {
        for (const QString& k : keys)
            probes.append({s, k});
    }
    return probes;
}

bool Same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Input in = Split(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString path = dz::fuzz::Folder() + QStringLiteral("/DirIziVur.ini");
    dz::fuzz::WriteBytes(path, in.file);
    const QString what = QStringLiteral("[%1] %2=%3").arg(in.section, in.key, in.value);

    // A read never returns more than its room, and never other text than the value's start.
    const std::optional<QString> before = Lookup(in.section, in.key, path);
    const QString cut = dz::GetPrivateProfileString(in.section, in.key, in.value, in.size, path);
    const QString whole = before.value_or(in.value);
    FUZZ_CHECK(cut.size() <= std::max(in.size - 1, 0), what);
    FUZZ_CHECK(whole.startsWith(cut), what + u' ' + cut);

    const QList<std::pair<QString, QString>> probes = Probes(in.file);
    QList<std::optional<QString>> others;
    for (const auto& [s, k] : probes)
        others << Lookup(s, k, path);

    const bool written = dz::WritePrivateProfileString(in.section, in.key, in.value, path);
    const QByteArray after = dz::fuzz::ReadBytes(path);
    if (!written) {
        FUZZ_CHECK(after == in.file, what);
        FUZZ_CHECK(!Storable(in), QStringLiteral("a storable value was refused: ") + what);
        return 0;
    }
    if (!Storable(in))
        return 0;

    FUZZ_CHECK(Lookup(in.section, in.key, path) == in.value,
               what + QStringLiteral(" reads back as ") +
                   Lookup(in.section, in.key, path).value_or("nothing"));

    // Every other byte of the file stays: one stretch changed, at most the old value's.
    qsizetype head = 0;
    while (head < in.file.size() && head < after.size() && in.file[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < in.file.size() - head && tail < after.size() - head &&
           in.file[in.file.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    // Quotes, and a byte-order mark that decoding drops from the start of a value.
    const qsizetype oldValueBytes = before ? before->toUtf8().size() + 2 + 3 : 0;
    FUZZ_CHECK(
        in.file.size() - head - tail <= oldValueBytes,
        QStringLiteral("bytes %1 to %2 changed: %3 became %4")
            .arg(head)
            .arg(in.file.size() - tail)
            .arg(QString::fromLatin1(in.file.toHex(' ')), QString::fromLatin1(after.toHex(' '))));

    for (qsizetype i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        if (Same(s, in.section) && Same(k, in.key))
            continue;
        FUZZ_CHECK(Lookup(s, k, path) == others[i],
                   QStringLiteral("[%1] %2 changed by writing ").arg(s, k) + what);
    }
    return 0;
}
