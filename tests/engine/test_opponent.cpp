#include <QSet>
#include <QTest>

#include <array>

#include "engine/opponent.h"
#include "platform/random.h"
#include "support/fakes.h"

using dz::Board;
using dz::Piece;
using dz::test::ScriptedRandom;

namespace
{

// Fractions that make the draws come out as the given value.
double cell(int c)
{
    return c == 9 ? 0.99 : (c - 1) / 8.0;
}
double corner(int c)
{
    return c == 1 ? 0.0 : c == 3 ? 0.4 : c == 7 ? 0.7 : 0.99;
}
constexpr double randomBranch = 0.0; // moderate and hard choice 1
constexpr double rulesBranch = 0.5;

Board board(const QString& picture)
{
    return Board::fromPicture(picture.toStdString());
}

bool completes(Board b, int c, Piece p)
{
    b.place(c, p);
    for (const dz::Line& line : dz::WinLines) {
        if (b.CellOf(line[0]) == p && b.CellOf(line[1]) == p && b.CellOf(line[2]) == p)
            return true;
    }
    return false;
}

bool anyWinOrBlock(const Board& b)
{
    for (int c = 1; c <= 9; ++c) {
        if (b.CellOf(c) == Piece::Blank && (completes(b, c, Piece::O) || completes(b, c, Piece::X)))
            return true;
    }
    return false;
}

// Every board with O to move that alternate play from an empty board reaches before
// a line is completed or the board is full.
void collectOToMove(Board b, Piece turn, QSet<QString>& seen, QList<Board>& out)
{
    if (seen.contains(b.picture()))
        return;
    seen.insert(b.picture());
    if (dz::FindOutcome(b, b.pieces() + 1) != dz::Outcome::Running || b.pieces() == 9)
        return;
    if (turn == Piece::O)
        out.append(b);
    for (int c = 1; c <= 9; ++c) {
        if (b.CellOf(c) == Piece::Blank) {
            Board next = b;
            next.place(c, turn);
            collectOToMove(next, turn == Piece::X ? Piece::O : Piece::X, seen, out);
        }
    }
}

template <size_t N>
double chiSquare(const std::array<int, N>& counts, const std::array<double, N>& expected)
{
    double sum = 0;
    for (size_t i = 0; i < N; ++i)
        sum += (counts[i] - expected[i]) * (counts[i] - expected[i]) / expected[i];
    return sum;
}

} // namespace

class TestOpponent : public QObject
{
    Q_OBJECT
private slots:
    void draws_data()
    {
        QTest::addColumn<QString>("draw");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<int>("expected");

        QTest::newRow("cell: 0 is cell 1") << "cell" << 0.0 << 1;
        QTest::newRow("cell: 1.5 rounds up to 2") << "cell" << 0.0625 << 2;
        QTest::newRow("cell: 2.5 rounds down to 2") << "cell" << 0.1875 << 2;
        QTest::newRow("cell: 8.5 rounds down to 8") << "cell" << 0.9375 << 8;
        QTest::newRow("cell: just above 8.5 is 9") << "cell" << 0.94 << 9;
        QTest::newRow("corner: 2.5 rounds to 2, cell 3") << "corner" << 0.5 << 3;
        QTest::newRow("corner: 3 is cell 7") << "corner" << 0.7 << 7;
        QTest::newRow("corner: 4 is cell 9") << "corner" << 0.99 << 9;
        QTest::newRow("moderate: below 1.5 is 1") << "moderate" << 0.16 << 1;
        QTest::newRow("moderate: above 1.5 is 2") << "moderate" << 0.17 << 2;
        QTest::newRow("hard: below 1.5 is 1") << "hard" << 0.05 << 1;
        QTest::newRow("hard: exactly 1.5 is 2") << "hard" << 0.5 / 9 << 2;
    }
    void draws()
    {
        QFETCH(QString, draw);
        QFETCH(double, fraction);
        QFETCH(int, expected);
        ScriptedRandom random({fraction});
        const int value = draw == "cell"       ? dz::RandomCell(random)
                          : draw == "corner"   ? dz::RandomCorner(random)
                          : draw == "moderate" ? dz::ModerateChoice(random)
                                               : dz::HardChoice(random);
        QCOMPARE(value, expected);
        QCOMPARE(random.reseeds, 0);
    }

    // Each row pins one rule: the cell, and how often the generator was reseeded and
    // drawn, which shows where the reseeds sit and which draws were thrown away.
    void move_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("moveNumber");
        QTest::addColumn<QList<double>>("fractions");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("reseeds");
        QTest::addColumn<int>("draws");

        QTest::newRow("unbeatable takes a free centre")
            << "Unbeatable"
            << "X..|...|..." << 2 << QList<double>{} << 5 << 0 << 0;
        QTest::newRow("unbeatable takes the centre before its own win")
            << "Unbeatable"
            << "OO.|X..|X.X" << 6 << QList<double>{} << 5 << 0 << 0;
        QTest::newRow("unbeatable wins before it blocks")
            << "Unbeatable"
            << "XX.|OO.|X.." << 6 << QList<double>{} << 6 << 0 << 0;
        QTest::newRow("unbeatable takes the first of two wins in line order")
            << "Unbeatable"
            << "XOX|OO.|X.X" << 8 << QList<double>{} << 6 << 0 << 0;
        QTest::newRow("unbeatable blocks the first of two threats in line order")
            << "Unbeatable"
            << "X.X|.OX|O.." << 6 << QList<double>{} << 2 << 0 << 0;
        QTest::newRow("unbeatable ignores a line already blocked")
            << "Unbeatable"
            << "XXO|.O.|X.." << 6 << QList<double>{} << 4 << 0 << 0;
        QTest::newRow("unbeatable answers corners 1 and 9 with a side, throwing non-sides away")
            << "Unbeatable"
            << "X..|.O.|..X" << 4
            << QList<double>{cell(1), cell(3), cell(5), cell(7), cell(9), cell(6)} << 6 << 1 << 6;
        QTest::newRow("unbeatable answers corners 3 and 7 with a side")
            << "Unbeatable"
            << "..X|.O.|X.." << 4 << QList<double>{cell(2)} << 2 << 1 << 1;
        QTest::newRow("unbeatable answers the centre with a corner")
            << "Unbeatable"
            << "...|.X.|..." << 2 << QList<double>{corner(7)} << 7 << 1 << 1;
        QTest::newRow("unbeatable redraws a taken corner at move 4")
            << "Unbeatable"
            << "X..|.OX|..." << 4 << QList<double>{corner(1), corner(9)} << 9 << 1 << 2;
        QTest::newRow("unbeatable falls back to a random empty cell after move 4")
            << "Unbeatable"
            << "XO.|.OX|.X." << 6 << QList<double>{cell(5), cell(1), cell(4)} << 4 << 1 << 3;

        QTest::newRow("easy ignores its own win and the threat")
            << "Easy"
            << "XX.|OO.|X.." << 6 << QList<double>{cell(9)} << 9 << 1 << 1;
        QTest::newRow("easy redraws taken cells")
            << "Easy"
            << "X..|.O.|..X" << 4 << QList<double>{cell(5), cell(1), cell(8)} << 8 << 1 << 3;

        QTest::newRow("moderate may leave the centre empty at move 2")
            << "Moderate"
            << "X..|...|..." << 2 << QList<double>{randomBranch, cell(1), cell(3)} << 3 << 1 << 3;
        QTest::newRow("moderate otherwise plays the rules")
            << "Moderate"
            << "X..|...|..." << 2 << QList<double>{rulesBranch} << 5 << 1 << 1;
        QTest::newRow("moderate rules reseed again for a corner")
            << "Moderate"
            << "...|.X.|..." << 2 << QList<double>{rulesBranch, corner(3)} << 3 << 2 << 2;

        QTest::newRow("hard may play at random at move 2")
            << "Hard"
            << "X..|...|..." << 2 << QList<double>{randomBranch, cell(2)} << 2 << 1 << 2;
        QTest::newRow("hard may play at random at move 6")
            << "Hard"
            << "XX.|OO.|X.." << 6 << QList<double>{randomBranch, cell(8)} << 8 << 1 << 2;
        QTest::newRow("hard never plays at random at move 4")
            << "Hard"
            << "X..|.OX|..." << 4 << QList<double>{randomBranch, corner(3)} << 3 << 2 << 2;
        QTest::newRow("hard otherwise plays the rules")
            << "Hard"
            << "XX.|OO.|X.." << 6 << QList<double>{rulesBranch} << 6 << 1 << 1;

        for (const char* level : {"", "easy", "UNBEATABLE", "Hard ", "Impossible"}) {
            QTest::addRow("no move for level \"%s\"", level)
                << level << "X..|...|..." << 2 << QList<double>{} << 0 << 0 << 0;
        }
    }
    void move()
    {
        QFETCH(QString, level);
        QFETCH(QString, picture);
        QFETCH(int, moveNumber);
        QFETCH(QList<double>, fractions);
        QFETCH(int, expected);
        QFETCH(int, reseeds);
        QFETCH(int, draws);
        ScriptedRandom random(fractions);
        QCOMPARE(dz::ComputerMove(level, board(picture), moveNumber, random), expected);
        QCOMPARE(random.reseeds, reseeds);
        QCOMPARE(random.draws, draws);
    }

    // The rules are no game-tree search: a bad corner at move 4 loses to a fork.
    void unbeatableCanLose()
    {
        ScriptedRandom random({corner(7)});
        Board b;
        b.place(1, Piece::X);
        QCOMPARE(dz::UnbeatableMove(b, 2, random), 5);
        b.place(5, Piece::O);
        b.place(6, Piece::X);
        QCOMPARE(dz::UnbeatableMove(b, 4, random), 7);
        b.place(7, Piece::O);
        b.place(3, Piece::X); // threatens 2 and 9
        QCOMPARE(dz::UnbeatableMove(b, 6, random), 2);
        b.place(2, Piece::O);
        QCOMPARE(dz::FindOutcome(b, 7), dz::Outcome::Running);
        b.place(9, Piece::X);
        QCOMPARE(dz::FindOutcome(b, 8), dz::Outcome::Line);
    }

    void fullBoardGivesNoMove()
    {
        ScriptedRandom random;
        const Board full = board("XOX|XOO|OXX");
        for (const char* level : {"Easy", "Moderate", "Hard", "Unbeatable"}) {
            random.fractions = {rulesBranch};
            QCOMPARE(dz::ComputerMove(level, full, 10, random), 0);
        }
    }

    // The redraw loops have no bound: every position play can reach must offer a
    // qualifying cell to every level, and the rule needing it must find one.
    void everyReachablePositionGetsAnEmptyCell()
    {
        QSet<QString> seen;
        QList<Board> positions;
        collectOToMove(Board(), Piece::X, seen, positions);
        QCOMPARE(positions.size(), 2097);

        dz::ClockRandom random;
        for (const Board& b : positions) {
            const int moveNumber = b.pieces() + 1;
            for (const char* level : {"Easy", "Moderate", "Hard", "Unbeatable"}) {
                for (int run = 0; run < 8; ++run) {
                    const int c = dz::ComputerMove(level, b, moveNumber, random);
                    if (!Board::isCell(c) || b.CellOf(c) != Piece::Blank)
                        QFAIL(qPrintable(QStringLiteral("%1 played %2 on %3")
                                             .arg(level)
                                             .arg(c)
                                             .arg(b.picture())));
                }
            }
            if (b.CellOf(5) == Piece::Blank || anyWinOrBlock(b))
                continue;
            const bool oppositeCorners = (b.CellOf(1) == Piece::X && b.CellOf(9) == Piece::X) ||
                                         (b.CellOf(3) == Piece::X && b.CellOf(7) == Piece::X);
            const int c = dz::UnbeatableMove(b, moveNumber, random);
            if (oppositeCorners)
                QVERIFY2(c % 2 == 0, qPrintable(b.picture()));
            else if (moveNumber <= 4)
                QVERIFY2(c != 5 && c % 2 == 1, qPrintable(b.picture()));
        }
    }

    // Reseeded before every draw, as in play.
    void randomCellFavoursInnerCells()
    {
        dz::ClockRandom random;
        constexpr int n = 48000;
        std::array<int, 9> counts{};
        for (int i = 0; i < n; ++i) {
            random.Randomize();
            ++counts[static_cast<size_t>(dz::RandomCell(random) - 1)];
        }
        std::array<double, 9> expected;
        expected.fill(n / 8.0);
        expected[0] = expected[8] = n / 16.0;
        // df 8: 50 is far beyond the 0.1% point (26.1), so a sound generator never fails.
        QVERIFY2(chiSquare(counts, expected) < 50,
                 qPrintable(QString::number(chiSquare(counts, expected))));
    }

    void randomCornerFavoursThreeAndSeven()
    {
        dz::ClockRandom random;
        constexpr int n = 30000;
        std::array<int, 4> counts{};
        for (int i = 0; i < n; ++i) {
            random.Randomize();
            const int c = dz::RandomCorner(random);
            ++counts[static_cast<size_t>(c == 1 ? 0 : c == 3 ? 1 : c == 7 ? 2 : 3)];
        }
        const std::array<double, 4> expected{n / 6.0, n / 3.0, n / 3.0, n / 6.0};
        // df 3: 0.1% point 16.3.
        QVERIFY2(chiSquare(counts, expected) < 35,
                 qPrintable(QString::number(chiSquare(counts, expected))));
    }
};

QTEST_APPLESS_MAIN(TestOpponent)
#include "test_opponent.moc"
