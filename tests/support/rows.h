// A data-driven test's rows as tuples of plain fields, the first the row's name: AddRows(rows)
// in the _data() function, then Row<T>() in the test, taken apart by a structured binding.
#pragma once

#include <QTest>

namespace dz::test
{

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

// Lists written as calls, so that a row holding them stays a row of plain fields.
template <class... C> QList<int> Cells(C... cells)
{
    return {cells...};
}
template <class... D> QList<double> Draws(D... draws)
{
    return {double(draws)...};
}

} // namespace dz::test
