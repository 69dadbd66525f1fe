#include <QLocale>
#include <QTest>

#include <clocale>

#include "scoring/score_rules.h"

namespace
{

// Runs "Result:Level" calls in order on the two texts.
void play(const QStringList& calls, QString& current, QString& best)
{
    for (const QString& call : calls) {
        const QStringList parts = call.split(u':');
        dz::UpdateScore(parts.value(0), parts.value(1), current, best);
    }
}

} // namespace

class TestScoreRules : public QObject
{
    Q_OBJECT
private slots:
    void pointsFromZero_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("expected");

        const struct {
            const char* result;
            const char* points[4];
        } table[] = {
            {"Win", {"0.5", "2", "3", "100"}},
            {"Tie", {"-0.5", "0", "0", "0.5"}},
            {"Lost", {"-1", "-2", "-3", "-3"}},
        };
        const char* levels[] = {"Easy", "Moderate", "Hard", "Unbeatable"};
        for (const auto& row : table) {
            for (int i = 0; i < 4; ++i) {
                QTest::addRow("%s at %s", row.result, levels[i])
                    << row.result << levels[i] << row.points[i];
            }
        }
    }
    void pointsFromZero()
    {
        QFETCH(QString, result);
        QFETCH(QString, level);
        QFETCH(QString, expected);
        QString current = QStringLiteral("0");
        QString best = QStringLiteral("1000");
        dz::UpdateScore(result, level, current, best);
        QCOMPARE(current, expected);
        QCOMPARE(best, QStringLiteral("1000"));
    }

    void runs_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("best");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("expectedCurrent");
        QTest::addColumn<QString>("expectedBest");

        QTest::newRow("easy tie then win returns to 0")
            << "0"
            << "0" << QStringList{"Tie:Easy", "Win:Easy"} << "0"
            << "0";
        QTest::newRow("halves add up exactly")
            << "0"
            << "0" << QStringList{"Tie:Unbeatable", "Tie:Unbeatable", "Tie:Unbeatable"} << "1.5"
            << "1.5";
        QTest::newRow("zero points still rewrite the text") << "2.0"
                                                            << "5" << QStringList{"Tie:Hard"} << "2"
                                                            << "5";
        QTest::newRow("an equal score leaves the best text alone")
            << "3"
            << "5.0" << QStringList{"Win:Moderate"} << "5"
            << "5.0";
        QTest::newRow("5.5 beats 5") << "5"
                                     << "5" << QStringList{"Win:Easy"} << "5.5"
                                     << "5.5";
        QTest::newRow("first easy loss leaves the best at 0")
            << "0"
            << "0" << QStringList{"Lost:Easy"} << "-1"
            << "0";
        QTest::newRow("the best is never lowered")
            << "10"
            << "10" << QStringList{"Lost:Unbeatable", "Tie:Easy"} << "6.5"
            << "10";
        QTest::newRow("an empty best is replaced, even below zero")
            << "0"
            << "" << QStringList{"Lost:Hard"} << "-3"
            << "-3";
        QTest::newRow("level never chosen: a tie scores nothing")
            << "0"
            << "0" << QStringList{"Tie:"} << "0"
            << "0";
        QTest::newRow("unknown result still refreshes the best")
            << "7"
            << "5" << QStringList{"Loss:Easy"} << "7"
            << "7";
        QTest::newRow("level compared with its case") << "7"
                                                      << "5" << QStringList{"Win:easy"} << "7"
                                                      << "7";
        QTest::newRow("result compared with its case") << "0"
                                                       << "0" << QStringList{"win:Easy"} << "0"
                                                       << "0";
        QTest::newRow("the best takes the current text as it stands")
            << "07"
            << "5" << QStringList{"Win:"} << "07"
            << "07";
        QTest::newRow("best read from the file with a point")
            << "99.5"
            << "100.0" << QStringList{"Tie:Unbeatable"} << "100"
            << "100.0";
    }
    void runs()
    {
        QFETCH(QString, current);
        QFETCH(QString, best);
        QFETCH(QStringList, calls);
        QFETCH(QString, expectedCurrent);
        QFETCH(QString, expectedBest);
        play(calls, current, best);
        QCOMPARE(current, expectedCurrent);
        QCOMPARE(best, expectedBest);
    }

    // A German desktop writes "0,5"; the labels and the file must keep "0.5".
    void germanLocaleKeepsThePoint()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const char* localeSet = std::setlocale(LC_ALL, "de_DE.UTF-8");
        QString current = QStringLiteral("4.5");
        QString best = QStringLiteral("4");
        play({"Win:Easy", "Win:Easy", "Tie:Moderate"}, current, best);
        QLocale::setDefault(before);
        std::setlocale(LC_ALL, "C");
        QCOMPARE(current, QStringLiteral("5.5"));
        QCOMPARE(best, QStringLiteral("5.5"));
        if (!localeSet)
            qInfo("de_DE.UTF-8 is not installed: checked under Qt's German locale only");
    }
};

QTEST_APPLESS_MAIN(TestScoreRules)
#include "test_score_rules.moc"
