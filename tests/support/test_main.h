// DZ_TEST(Class) registers a test class with the program it is built into.
#pragma once

#include <QTest>
#include <functional>
#include <map>

namespace dz::test
{
std::map<std::string, std::function<QObject*()>>& Tests();
}

#define DZ_TEST(Class)                                                                                                 \
    [[maybe_unused]] static const bool Class##Registered =                                                             \
        dz::test::Tests().emplace(#Class, [] { return static_cast<QObject*>(new Class); }).second;
