// The points per result and level, the current score and the best that follows it.
#include "engine/opponent.h"
#include "scoring/score_rules.h"
#include "support/testing.h"

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

    // A cell worth 0 rewrites the text in plain form; an empty best score (an empty line in the
    // stored list) is replaced, even below 0; the best follows a higher score but not an equal
    // one, keeping its text; an unknown result or level scores nothing.
    void update()
    {
        QString scores[] = {"0.0", ""};
        UpdateScore("Tie", "Hard", scores[0], scores[1]);
        QCOMPARE(scores[0] + u'|' + scores[1], "0|0");
        scores[1] = "";
        UpdateScore("Lost", "Moderate", scores[0], scores[1]);
        QCOMPARE(scores[0] + u'|' + scores[1], "-2|-2");
        scores[1] = "0.0";
        UpdateScore("Win", "Moderate", scores[0], scores[1]);
        UpdateScore("Loss", "Easy", scores[0], scores[1]);
        UpdateScore("Win", "easy", scores[0], scores[1]);
        QCOMPARE(scores[0] + u'|' + scores[1], "0|0.0");
        UpdateScore("Win", "Easy", scores[0], scores[1]);
        QCOMPARE(scores[0] + u'|' + scores[1], "0.5|0.5");
        scores[0] = "+.5e9"; // a plus and no digit before the point; no exponent
        UpdateScore("Win", "Easy", scores[0], scores[1]);
        QCOMPARE(scores[0], "1");
    }
};

QTEST_MAIN(TestScoreRules)
#include "test_score_rules.moc"
