// The current score and the best that follows it; the points themselves are read in the
// scoring table's window.
#include "scoring/score_rules.h"
#include "support/rows.h"

// The current and best score, the result and the level, then the two scores after.
using ScoreRow = std::tuple<const char*, const char*, const char*, const char*, const char*,
                            const char*, const char*>;

class TestScoreRules : public QObject
{
    Q_OBJECT
private slots:
    void update_data()
    {
        const ScoreRow rows[] = {
            {"points added", "-0.5", "1000", "Win", "Unbeatable", "99.5", "1000"},
            {"0 points rewrite the text in plain form", "0.0", "9", "Tie", "Hard", "0", "9"},
            {"an equal score keeps the best text", "3", "5.0", "Win", "Moderate", "5", "5.0"},
            {"the best follows a higher score", "5", "5", "Win", "Easy", "5.5", "5.5"},
            {"the best is never lowered", "0", "0", "Lost", "Easy", "-1", "0"},
            {"an empty best is replaced, even below 0", "0", "", "Lost", "Hard", "-3", "-3"},
            {"Loss only names the table's row", "7", "5", "Loss", "Easy", "7", "7"},
            {"an unknown level only refreshes the best", "07", "5", "Win", "easy", "07", "07"},
        };
        dz::test::AddRows(rows);
    }
    void update()
    {
        const auto& [name, current, best, result, level, currentAfter, bestAfter] =
            dz::test::Row<ScoreRow>();
        QString currentText = current;
        QString bestText = best;
        dz::UpdateScore(result, level, currentText, bestText);
        QCOMPARE(currentText, currentAfter);
        QCOMPARE(bestText, bestAfter);
    }
};

QTEST_MAIN(TestScoreRules)
#include "test_score_rules.moc"
