// Points per result and level and the best score that follows the current one.
#include <QTest>

#include "scoring/score_rules.h"
#include "support/test_main.h"

class TestScoreRules : public QObject
{
    Q_OBJECT
private slots:
    void update_data()
    {
        QTest::addColumn<QStringList>("texts"); // the current and the best score
        QTest::addColumn<QStringList>("calls"); // "Result:Level", in order
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const QString& name, QStringList texts, QStringList calls,
                            QStringList expected) {
            QTest::newRow(qPrintable(name)) << texts << calls << expected;
        };
        // From "0.0", so that even 0 points must rewrite the text in plain form.
        const char* levels[] = {"Easy", "Moderate", "Hard", "Unbeatable"};
        const QStringList points[] = {{"Win", "0.5", "2", "3", "100"},
                                      {"Tie", "-0.5", "0", "0", "0.5"},
                                      {"Lost", "-1", "-2", "-3", "-3"}};
        for (const QStringList& p : points)
            for (int i = 0; i < 4; ++i)
                row(p[0] + " at " + levels[i], {"0.0", "1000"}, {p[0] + ':' + levels[i]},
                    {p[i + 1], "1000"});
        row("easy tie then win returns to 0", {"0", "0"}, {"Tie:Easy", "Win:Easy"}, {"0", "0"});
        row("an equal score keeps the best text", {"3", "5.0"}, {"Win:Moderate"}, {"5", "5.0"});
        row("5.5 beats 5", {"5", "5"}, {"Win:Easy"}, {"5.5", "5.5"});
        row("the best is never lowered", {"0", "0"}, {"Lost:Easy"}, {"-1", "0"});
        row("an empty best is replaced, even below zero", {"0", ""}, {"Lost:Hard"}, {"-3", "-3"});
        // "Loss" is the table's label for the row, not a result word.
        row("unknown result only refreshes the best", {"7", "5"}, {"Loss:Easy"}, {"7", "7"});
        row("unknown level only refreshes the best", {"07", "5"}, {"Win:easy"}, {"07", "07"});
    }
    void update()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, expected);
        for (const QString& call : calls)
            dz::UpdateScore(call.section(u':', 0, 0), call.section(u':', 1), texts[0], texts[1]);
        QCOMPARE(texts, expected);
    }
};

DZ_TEST(TestScoreRules)
#include "test_score_rules.moc"
