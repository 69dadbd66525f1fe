#include <QSet>
#include <QTest>

#include <array>
#include <numeric>

#include "engine/opponent.h"
#include "platform/random.h"
#include "support/fakes.h"

using dz::Board;
using dz::Piece;

namespace
{

// Fractions that make RandomCell and RandomCorner come out as the given cell.
const auto cell = [](int c) { return c == 9 ? 0.99 : (c - 1) / 8.0; };
const auto corner = [](int c) { return c == 1 ? 0.0 : c == 3 ? 0.4 : c == 7 ? 0.7 : 0.99; };

void row(const char* name, const char* level, const char* picture, QList<double> fractions,
         int expected, int reseeds)
{
    QTest::newRow(name) << QString(level) << QString(picture) << fractions << expected << reseeds;
}

// Chi-square of draws, reseeded before each as in play, against weights for cells 1..9.
double chiSquare(int (*draw)(dz::RandomSource&), const std::array<double, 9>& weights)
{
    constexpr int n = 48000;
    dz::ClockRandom random;
    std::array<int, 10> counts{}; // by cell; a draw outside 0..9 throws
    for (int i = 0; i < n; ++i) {
        random.Randomize();
        ++counts.at(static_cast<size_t>(draw(random)));
    }
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    double sum = counts[0];
    for (size_t c = 1; c <= 9; ++c) {
        const double e = n * weights[c - 1] / total;
        sum += e > 0 ? (counts[c] - e) * (counts[c] - e) / e : counts[c];
    }
    return sum;
}

} // namespace

class TestOpponent : public QObject
{
    Q_OBJECT
private slots:
    // O is to move, so the move number is the pieces on the board plus one. The script
    // must be used up: the draws a rule throws away are part of the row.
    void move_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QList<double>>("fractions");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("reseeds");

        row("centre even before its own win", "Unbeatable", "OO.|X..|X.X", {}, 5, 0);
        row("win before block", "Unbeatable", "XX.|OO.|X..", {}, 6, 0);
        row("first threat in line order", "Unbeatable", "X.X|.OX|O..", {}, 2, 0);
        row("corners 1 and 9 answered with a free side, other draws thrown away", "Unbeatable",
            "X..|.O.|..X", {cell(1), cell(3), cell(5), cell(7), cell(9), cell(6)}, 6, 1);
        row("corners 3 and 7 answered with a side", "Unbeatable", "..X|.O.|X..", {cell(8)}, 8, 1);
        row("centre answered with a corner", "Unbeatable", "...|.X.|...", {corner(3)}, 3, 1);
        row("corner redrawn at move 4", "Unbeatable", "X..|.OX|...", {corner(1), corner(9)}, 9, 1);
        row("random after move 4", "Unbeatable", "XO.|.OX|.X.", {cell(5), cell(1), cell(4)}, 4, 1);
        row("easy ignores win and threat", "Easy", "XX.|OO.|X..", {cell(5), cell(9)}, 9, 1);
        row("moderate may skip centre", "Moderate", "X..|...|...", {0.16, cell(1), cell(3)}, 3, 1);
        row("moderate otherwise by the rules", "Moderate", "X..|...|...", {0.17}, 5, 1);
        row("hard random at move 6", "Hard", "XX.|OO.|X..", {0.05, cell(8)}, 8, 1);
        row("hard never random at move 4", "Hard", "X..|.OX|...", {0.0, corner(3)}, 3, 2);
        row("hard otherwise by the rules", "Hard", "XX.|OO.|X..", {0.06}, 6, 1);
        for (const char* level : {"", "easy", "Hard "})
            row(qPrintable(QStringLiteral("no move for \"%1\"").arg(level)), level, "X..|...|...",
                {}, 0, 0);
    }
    void move()
    {
        QFETCH(QString, level);
        QFETCH(QString, picture);
        QFETCH(QList<double>, fractions);
        QFETCH(int, expected);
        QFETCH(int, reseeds);
        dz::test::ScriptedRandom random(fractions);
        const Board b = Board::fromPicture(picture.toStdString());
        QCOMPARE(dz::ComputerMove(level, b, b.pieces() + 1, random), expected);
        QCOMPARE(random.reseeds, reseeds);
        QVERIFY(random.fractions.isEmpty());
    }

    // The rules are no game-tree search: a bad corner at move 4 loses to a fork.
    void unbeatableCanLose()
    {
        dz::test::ScriptedRandom random({corner(7)});
        Board b;
        // X's moves and O's replies; X's 3 then threatens both 2 and 9.
        for (const auto& [x, o] : QList<std::pair<int, int>>{{1, 5}, {6, 7}, {3, 2}}) {
            b.place(x, Piece::X);
            QCOMPARE(dz::UnbeatableMove(b, b.pieces() + 1, random), o);
            b.place(o, Piece::O);
        }
        b.place(9, Piece::X);
        QCOMPARE(dz::FindOutcome(b, 8), dz::Outcome::Line);
    }

    // The redraw loops have no bound: every position play can reach with O to move must
    // give every level an empty cell.
    void everyReachablePositionGetsAnEmptyCell()
    {
        dz::ClockRandom random;
        QSet<QString> seen;
        QList<Board> open{Board()};
        int oToMove = 0;
        while (!open.isEmpty()) {
            const Board b = open.takeLast();
            const int move = b.pieces() + 1;
            if (seen.contains(b.picture()) || dz::FindOutcome(b, move) != dz::Outcome::Running)
                continue;
            seen.insert(b.picture());
            for (int c = 1; c <= 9; ++c) {
                Board next = b;
                next.place(c, dz::SideToMove(move));
                if (b.CellOf(c) == Piece::Blank)
                    open << next;
            }
            if (dz::SideToMove(move) == Piece::X)
                continue;
            ++oToMove;
            for (const char* level : {"Easy", "Moderate", "Hard", "Unbeatable"}) {
                for (int run = 0; run < 8; ++run) {
                    const int c = dz::ComputerMove(level, b, move, random);
                    QVERIFY2(Board::isCell(c) && b.CellOf(c) == Piece::Blank,
                             qPrintable(level + (' ' + b.picture())));
                }
            }
        }
        QCOMPARE(oToMove, 2097);
    }

    // Limits far beyond the 0.1% points (26.1 at df 8, 16.3 at df 3): a sound generator
    // never fails.
    void drawsFavourInnerCellsAndCornersThreeAndSeven()
    {
        const double cells = chiSquare(dz::RandomCell, {1, 2, 2, 2, 2, 2, 2, 2, 1});
        const double corners = chiSquare(dz::RandomCorner, {1, 0, 2, 0, 0, 0, 2, 0, 1});
        QVERIFY2(cells < 50 && corners < 35,
                 qPrintable(QStringLiteral("%1 %2").arg(cells).arg(corners)));
    }
};

QTEST_APPLESS_MAIN(TestOpponent)
#include "test_opponent.moc"
