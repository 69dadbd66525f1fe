// What the fuzz targets share: a scratch folder for the file under test and a check
// that stops the process, so libFuzzer keeps the input and the replay test fails.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// FUZZ_CHECK(condition, detail) stops the process; detail is a QString built only then.
#define FUZZ_CHECK(cond, detail)                                                                   \
    ((cond) ? void()                                                                               \
            : (std::fprintf(stderr, "broken: %s\n  %s\n", #cond, qUtf8Printable(detail)),          \
               std::abort()))

namespace dz::fuzz
{

inline const QTemporaryDir Scratch; // one folder; every input rewrites the file in it

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, QByteArrayView bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly) && f.write(bytes.data(), bytes.size()) == bytes.size(),
               path);
}

} // namespace dz::fuzz
