// The settings file holding whatever bytes a disk may hold, and a value read and
// written under any section and key. Input: four lines (section, key, value, room for
// the read), then the file's bytes.
#include <QByteArrayList>
#include <cstdio>

#include "windows/profile.h"

static void Check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort(); // libFuzzer keeps the input
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArrayList parts = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    while (parts.size() < 5)
        parts << QByteArray();
    const QString section = QString::fromUtf8(parts[0]), key = QString::fromUtf8(parts[1]),
                  value = QString::fromUtf8(parts[2]);
    const int room = qBound(-5, parts[3].toInt(), 100000);
    const QByteArray file = parts.mid(4).join('\n');
    const auto read = [&](const QString& s, const QString& k, const QByteArray& f) {
        return dz::ProfileString(s, k, QStringLiteral("\n"), 1 << 21,
                                 f); // no value holds a line end
    };
    // A read never returns more than its room, nor other text than the value's start.
    const QString cut = dz::ProfileString(section, key, value, room, file), whole = read(section, key, file);
    Check(cut.size() <= qMax(room - 1, 0) && (whole == "\n" ? value : whole).startsWith(cut), "a read");
    // A value already held leaves every byte; one a file can hold reads back, and the
    // first key of another section keeps its value.
    const QByteArray written = dz::WithProfileString(section, key, value, file);
    Check(whole != value || written == file, "a value held");
    const bool plain =
        !value.contains(u'\r') && !value.contains(u'\n') && value.trimmed() == value &&
        !(value.size() > 1 && value.front() == value.back() && QStringLiteral("\"'").contains(value.front()));
    const bool keyed = !key.isEmpty() && key.trimmed() == key && !key.contains(u'=') && !key.contains(u'\n') &&
                       !key.contains(u'\r') && !QStringLiteral(";#[").contains(key.front()) &&
                       !section.contains(u'\n') && !section.contains(u'\r') && section.trimmed() == section;
    if (!plain || !keyed)
        return 0; // what no file could hold as written
    Check(read(section, key, written) == value, "a value written");
    const qsizetype open = file.indexOf('['), close = file.indexOf(']', open);
    const QString other = QString::fromUtf8(file.mid(open + 1, close - open - 1)).trimmed();
    const QString otherKey = QString::fromUtf8(file.mid(close + 1).split('=').value(0)).trimmed();
    Check(open < 0 || close < 0 || !other.compare(section, Qt::CaseInsensitive) ||
              read(other, otherKey, written) == read(other, otherKey, file),
          "another section");
    return 0;
}
