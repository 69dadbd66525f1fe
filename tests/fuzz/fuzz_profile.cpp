// The settings file holding whatever bytes a disk may hold, and the contest flag's value
// read and written in it. Input: the value to store on the first line, then the file.
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
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype end = input.indexOf('\n');
    const QString value = QString::fromUtf8(input.left(qMax(end, 0)));
    const QByteArray file = input.mid(end + 1);
    const auto read = [](const QByteArray& f, int room) { return dz::ProfileString("Contest", "Show", "\n", room, f); };
    // A read never returns more than its room, nor other text than the value's start; no
    // value holds a line end, so "\n" tells a missing key.
    const QString whole = read(file, 1 << 21), cut = read(file, 6);
    Check(cut.size() <= 5 && whole.startsWith(cut), "a read");
    // A value already held leaves every byte; one a file can hold reads back.
    const QByteArray written = dz::WithProfileString("Contest", "Show", value, file);
    Check(whole != value || written == file, "a value held");
    const bool quoted =
        value.size() > 1 && value.front() == value.back() && QStringLiteral("\"'").contains(value.front());
    Check(value.trimmed() != value || value.contains(u'\r') || quoted || read(written, 1 << 21) == value,
          "a value written");
    return 0;
}
