// One program per layer holds its test classes; ctest runs each class on its own:
//     dz_rules TestBoard [QtTest options]
#pragma once

#include <QObject>
#include <functional>

namespace dz::test
{

bool Register(const char* name, std::function<QObject*()> make);

} // namespace dz::test

#define DZ_TEST(Class)                                                                             \
    [[maybe_unused]] static const bool Class##Registered =                                         \
        dz::test::Register(#Class, [] { return static_cast<QObject*>(new Class); });
