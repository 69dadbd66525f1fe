// What every test uses: Qt Test, a data-driven test's rows as tuples of plain fields (the
// first one the row's name), and the game's names without their namespace.
#pragma once

#include <QFileInfo>
#include <QTest>
#include <tuple>

namespace dz::test
{

// AddRows(rows) in the _data() function, then Row<T>() in the test, taken apart by a
// structured binding.
template <class T, size_t N> void AddRows(const T (&rows)[N])
{
    QTest::addColumn<T>("row");
    for (const T& row : rows)
        QTest::newRow(std::get<0>(row)) << row;
}

template <class T> const T& Row()
{
    return *static_cast<T*>(QTest::qData("row", qMetaTypeId<T>()));
}

// A file's bytes; "<none>" for anything but a file.
inline QByteArray Read(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>";
}

inline void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace dz::test

using namespace dz;
using namespace dz::test;
