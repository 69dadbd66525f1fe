// One program per layer holds its test classes; ctest runs each class on its own:
//     dz_rules TestEngine [QtTest options]
#include <QTest>
#include <map>

#include "support/test_main.h"
#ifdef DZ_GUI_TESTS
#include <QApplication>
#endif

std::map<std::string, std::function<QObject*()>>& dz::test::Tests()
{
    static std::map<std::string, std::function<QObject*()>> tests;
    return tests;
}

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
#ifdef DZ_GUI_TESTS
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    const auto test = argc > 1 ? dz::test::Tests().find(argv[1]) : dz::test::Tests().end();
    if (test == dz::test::Tests().end())
        return 2;
    const std::unique_ptr<QObject> object(test->second());
    argv[1] = argv[0];
    return QTest::qExec(object.get(), argc - 1, argv + 1);
}
