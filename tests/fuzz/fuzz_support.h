// What the fuzz targets share: a scratch folder for the file under test and a check
// that stops the process, so libFuzzer keeps the input and the replay test fails.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace dz::fuzz
{

// One empty folder for the whole process; every input rewrites the file in it.
inline QString Folder()
{
    static QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        std::abort();
    }
    return dir.path();
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, QByteArrayView bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(bytes.data(), bytes.size()) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

[[noreturn]] inline void Broken(const char* rule, const QString& detail, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: broken: %s\n  %s\n", file, line, rule,
                 detail.toUtf8().constData());
    std::abort();
}

} // namespace dz::fuzz

// FUZZ_CHECK(condition, detail): detail is a QString built only on failure.
#define FUZZ_CHECK(cond, detail)                                                                   \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::dz::fuzz::Broken(#cond, (detail), __FILE__, __LINE__);                               \
    } while (false)
