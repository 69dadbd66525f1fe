#include <QTest>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#ifdef DZ_GUI_TESTS
#include <QApplication>
using App = QApplication;
#else
using App = QCoreApplication;
#endif

#include "support/test_main.h"

namespace
{

std::map<std::string, std::function<QObject*()>>& Tests()
{
    static std::map<std::string, std::function<QObject*()>> tests;
    return tests;
}

} // namespace

bool dz::test::Register(const char* name, std::function<QObject*()> make)
{
    return Tests().emplace(name, std::move(make)).second;
}

int main(int argc, char* argv[])
{

    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    App app(argc, argv);
    const auto test = argc > 1 ? Tests().find(argv[1]) : Tests().end();
    if (test == Tests().end()) {
        for (const auto& [name, make] : Tests())
            std::printf("%s\n", name.c_str());
        return 2;
    }
    const std::unique_ptr<QObject> object(test->second());
    argv[1] = argv[0];
    return QTest::qExec(object.get(), argc - 1, argv + 1);
}
