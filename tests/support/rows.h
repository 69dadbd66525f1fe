// A data-driven test's rows as plain structs, each named by its `name`: AddRows(rows) in the
// _data() function, then Row<T>() in the test.
#pragma once

#include <QTest>

namespace dz::test
{

template <class T, size_t N> void AddRows(const T (&rows)[N])
{
    QTest::addColumn<T>("row");
    for (const T& row : rows)
        QTest::newRow(row.name) << row;
}

template <class T> const T& Row()
{
    return *static_cast<T*>(QTest::qData("row", qMetaTypeId<T>()));
}

} // namespace dz::test
