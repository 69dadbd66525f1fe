// Points per result and level, and the best score that follows the current one.
#include "scoring/score_rules.h"
#include "support/rows.h"

struct ScoreRow {
    const char* name;
    const char* current;
    const char* best;
    const char* result;
    const char* level;
    const char* currentAfter;
    const char* bestAfter;
};

class TestScoreRules : public QObject
{
    Q_OBJECT
private slots:
    void update_data()
    {
        // The points themselves are read in the scoring table's window.
        const ScoreRow rows[] = {
            {"points added", "-0.5", "1000", "Win", "Unbeatable", "99.5", "1000"},
            {"a cell worth 0 rewrites the text in plain form", "0.0", "9", "Tie", "Hard", "0", "9"},
            {"an equal score keeps the best text", "3", "5.0", "Win", "Moderate", "5", "5.0"},
            {"the best follows a higher score", "5", "5", "Win", "Easy", "5.5", "5.5"},
            {"the best is never lowered", "0", "0", "Lost", "Easy", "-1", "0"},
            {"an empty best is replaced, even below 0", "0", "", "Lost", "Hard", "-3", "-3"},
            {"Loss only names the table's row", "7", "5", "Loss", "Easy", "7", "7"},
            {"an unknown level only refreshes the best", "07", "5", "Win", "easy", "07", "07"},
            {"no level scores nothing", "07", "5", "Tie", "", "07", "07"},
        };
        dz::test::AddRows(rows);
    }
    void update()
    {
        const ScoreRow& row = dz::test::Row<ScoreRow>();
        QString current = row.current;
        QString best = row.best;
        dz::UpdateScore(row.result, row.level, current, best);
        QCOMPARE(current, row.currentAfter);
        QCOMPARE(best, row.bestAfter);
    }
};

QTEST_MAIN(TestScoreRules)
#include "test_score_rules.moc"
