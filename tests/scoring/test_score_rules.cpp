// The points per result and level, the current score and the best that follows it.
#include "engine/opponent.h"
#include "scoring/score_rules.h"
#include "support/testing.h"

// The current and best score, the result and the level, then the two scores after.
using ScoreRow = std::tuple<const char*, const char*, const char*, const char*, const char*,
                            const char*, const char*>;

class TestScoreRules : public QObject
{
    Q_OBJECT
private slots:
    // The points of the game's rules: Win, Lost and Tie at each level.
    void points()
    {
        const char* results[] = {"Win", "Lost", "Tie"};
        const double table[][4] = {{0.5, 2, 3, 100}, {-1, -2, -3, -3}, {-0.5, 0, 0, 0.5}};
        for (int result = 0; result < 3; ++result) {
            for (int level = 0; level < 4; ++level)
                QCOMPARE(Points(results[result], Levels[level]).value_or(99), table[result][level]);
        }
    }

    void update_data()
    {
        const ScoreRow rows[] = {
            {"0 points rewrite the text in plain form", "0.0", "9", "Tie", "Hard", "0", "9"},
            {"an equal score keeps the best text", "3", "5.0", "Win", "Moderate", "5", "5.0"},
            {"an empty best is replaced, even below 0", "0", "", "Lost", "Hard", "-3", "-3"},
            {"Loss only names the table's row", "7", "5", "Loss", "Easy", "7", "7"},
            {"an unknown level only refreshes the best", "07", "5", "Win", "easy", "07", "07"},
        };
        AddRows(rows);
    }
    void update()
    {
        const auto& [name, current, best, result, level, currentAfter, bestAfter] = Row<ScoreRow>();
        QString scores[] = {current, best};
        UpdateScore(result, level, scores[0], scores[1]);
        QCOMPARE(scores[0] + u' ' + scores[1], currentAfter + QString(" ") + bestAfter);
    }
};

QTEST_MAIN(TestScoreRules)
#include "test_score_rules.moc"
