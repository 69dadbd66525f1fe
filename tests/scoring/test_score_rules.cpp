// Points per result and level, and the best score that follows the current one.
#include "scoring/score_rules.h"
#include "support/test_main.h"

class TestScoreRules : public QObject
{
    Q_OBJECT
private slots:
    void update()
    {
        // Each row: current and best score, the results "Result:Level" in order, then the
        // two texts after them. From "0.0", even 0 points rewrite the text in plain form.
        QStringList rows;
        const char* levels[] = {"Easy", "Moderate", "Hard", "Unbeatable"};
        for (const QString points : {"Win 0.5 2 3 100", "Tie -0.5 0 0 0.5", "Lost -1 -2 -3 -3"})
            for (int i = 0; i < 4; ++i)
                rows << QStringLiteral("0.0 1000 %1:%2 %3 1000")
                            .arg(points.section(' ', 0, 0), levels[i], points.section(' ', i + 1, i + 1));
        rows << "0 0 Tie:Easy,Win:Easy 0 0" // back to 0
             << "3 5.0 Win:Moderate 5 5.0"  // an equal score keeps the best text
             << "5 5 Win:Easy 5.5 5.5"      // the best follows a higher score
             << "0 0 Lost:Easy -1 0"        // and is never lowered
             << "0 - Lost:Hard -3 -3"       // an empty best is replaced, even below 0
             << "7 5 Loss:Easy 7 7"         // "Loss" only labels the row: no result
             << "07 5 Win:easy 07 07"       // an unknown level only refreshes the best
             << "07 5 Lost: 07 07";         // as does none
        for (const QString& row : rows) {
            const QStringList f = row.split(' ');
            QString current = f[0], best = f[1] == "-" ? QString() : f[1];
            for (const QString& call : f[2].split(','))
                dz::UpdateScore(call.section(':', 0, 0), call.section(':', 1), current, best);
            QCOMPARE(current + ' ' + best, f[3] + ' ' + f[4]);
        }
    }
};

DZ_TEST(TestScoreRules)
#include "test_score_rules.moc"
