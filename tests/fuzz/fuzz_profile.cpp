// The settings file holding whatever bytes a disk may hold, and a value read and written in it.
// Input: the value to store on the first line, then the file.
#undef NDEBUG // the checks are the point
#include <cassert>

#include "windows/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype end = input.indexOf('\n');
    const QString value = QString::fromUtf8(input.left(qMax(end, 0)));
    const QByteArray file = input.mid(end + 1);
    const auto read = [](const QByteArray& f, int room) {
        return dz::ProfileString("Contest", "Show", "\n", room, f);
    };
    // A read never returns more than its room, nor other text than the value's start; no value
    // holds a line end, so "\n" tells a missing key.
    const QString whole = read(file, 1 << 21);
    const QString cut = read(file, 6);
    assert(cut.size() <= 5 && whole.startsWith(cut));
    // A value already held leaves every byte; one the file can hold reads back: in one line,
    // without blanks or quotes around it, and in a file of bytes one character per byte.
    const QByteArray written = dz::WithProfileString("Contest", "Show", value, file);
    assert(whole != value || written == file);
    const bool quoted = value.size() > 1 && value.front() == value.back() &&
                        QStringLiteral("\"'").contains(value.front());
    const bool holds =
        value.trimmed() == value && !value.contains(u'\r') && !quoted &&
        (file.startsWith("\xFF\xFE") || QString::fromLatin1(value.toLatin1()) == value);
    assert(!holds || read(written, 1 << 21) == value);
    return 0;
}
