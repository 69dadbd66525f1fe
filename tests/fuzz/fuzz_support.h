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
            : (std::fprintf(stderr, "%s:%d: broken: %s\n  %s\n", __FILE__, __LINE__, #cond,        \
                            qUtf8Printable(detail)),                                               \
               std::abort()))

namespace dz::fuzz
{

// One folder for the whole process; every input rewrites the file in it.
inline const QTemporaryDir Scratch;

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, QByteArrayView bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly) && f.write(bytes.data(), bytes.size()) == bytes.size(),
               QStringLiteral("cannot write ") + path);
}

} // namespace dz::fuzz
