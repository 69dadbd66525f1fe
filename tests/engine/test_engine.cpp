// The computer's choices at each level, with expected values from the game's rules; every draw
// is scripted.
#include "engine/opponent.h"
#include "support/fakes.h"
#include "support/testing.h"

// The level, the board and the draws; the cell chosen and the reseeds.
using Draws = QList<double>;
using MoveRow = std::tuple<const char*, const char*, const char*, Draws, int, int>;

class TestEngine : public QObject
{
    Q_OBJECT
private slots:

    // O is to move: the move number is the pieces plus one. The draws are the fractions the
    // rules draw, used up in order, the thrown-away ones included: a cell is r * 8 + 1 and a
    // corner 1, 3, 7, 9 for r * 3 + 1 = 1..4, each rounded half to even (2.5 gives 2).
    void computerMove_data()
    {
        const char *E = "Easy", *M = "Moderate", *H = "Hard", *U = "Unbeatable";
        const MoveRow rows[] = {
            {"the centre before its own win", U, "OO.|X..|X.X", Draws{}, 5, 0},
            {"a win before a block", U, "XX.|OO.|X..", Draws{}, 6, 0},
            {"the first threat in line order", U, "X.X|.OX|O..", Draws{}, 2, 0},
            {"a win in the last line", U, "XXO|.OX|...", Draws{}, 7, 0},
            {"opposite corners 1 and 9: a side; corners and centre drawn again", U, "X..|.O.|..X",
             Draws{0, 0.25, 0.5, 0.75, 0.99, 0.625}, 6, 1},
            {"opposite corners 3 and 7: side 4", U, "..X|.O.|X..", Draws{0.375}, 4, 1},
            {"opposite corners: side 8", U, "..X|.O.|X..", Draws{0.875}, 8, 1},
            {"the centre answered with corner 1", U, "...|.X.|...", Draws{0.1}, 1, 1},
            {"corner 3 for a half, rounded to even", U, "...|.X.|...", Draws{0.5}, 3, 1},
            {"corner 7", U, "...|.X.|...", Draws{0.7}, 7, 1},
            {"a taken corner drawn again at move 4", U, "X..|.OX|...", Draws{0, 0.99}, 9, 1},
            {"at random after move 4", U, "XO.|.OX|.X.", Draws{0.5, 0, 0.375}, 4, 1},
            {"easy ignores a win and a threat", E, "XX.|OO.|X..", Draws{0.5, 0.99}, 9, 1},
            {"moderate may leave the centre", M, "X..|...|...", Draws{0.16, 0, 0.25}, 3, 1},
            {"moderate otherwise by the rules", M, "X..|...|...", Draws{0.17}, 5, 1},
            {"hard at random at move 6", H, "XX.|OO.|X..", Draws{0.05, 0.875}, 8, 1},
            {"hard never at random at move 4", H, "X..|.OX|...", Draws{0, 0.4}, 3, 2},
            {"hard otherwise by the rules", H, "XX.|OO.|X..", Draws{0.06}, 6, 1},
            {"a full board has no cell", E, "XOX|XOO|OXX", Draws{}, 0, 1},
            {"a level in other letters: no move", "easy", "X..|...|...", Draws{}, 0, 0},
        };
        AddRows(rows);
    }
    void computerMove()
    {
        const auto& [name, level, picture, draws, cell, reseeds] = Row<MoveRow>();
        ScriptedRandom random;
        random.fractions = draws;
        const Board board = Board::fromPicture(picture);
        QCOMPARE(ComputerMove(level, board, board.pieces() + 1, random), cell);
        QCOMPARE(random.reseeds, reseeds);
        QVERIFY2(random.fractions.isEmpty(), "every scripted draw is used");
    }
};

QTEST_MAIN(TestEngine)
#include "test_engine.moc"
