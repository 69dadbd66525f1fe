#include "engine/opponent.h"

#include <algorithm>
#include <array>

#include "engine/numbers.h"

namespace dz
{

namespace
{

constexpr int Corners[] = {1, 3, 7, 9};
constexpr int Sides[] = {2, 4, 6, 8};

bool isBlank(const Board& board, int cell)
{
    return board.CellOf(cell) == Piece::Blank;
}

template <class Cells> bool anyBlank(const Board& board, const Cells& cells)
{
    return std::any_of(std::begin(cells), std::end(cells),
                       [&](int cell) { return isBlank(board, cell); });
}

// r * n + 1, rounded half to even: RandomCell (n = 8) gives cells 2..8 twice as often as 1
// and 9, the corner draw (n = 3) corners 3 and 7 twice as often as 1 and 9.
int Draw(RandomSource& random, int n)
{
    return RoundHalfEven(random.Rnd() * n + 1);
}

int RandomCell(RandomSource& random)
{
    return Draw(random, 8);
}

// The redraw loops below have no bound of their own: each is entered only when a
// qualifying cell exists, so no board can make them spin forever.
int RandomEmptyCell(const Board& board, RandomSource& random)
{
    if (board.pieces() == 9)
        return 0;
    for (;;) {
        const int cell = RandomCell(random);
        if (isBlank(board, cell))
            return cell;
    }
}

// The first line in table order where `p` holds two cells and the third is free; O's
// lines are asked before X's, so a win beats a block.
int CompleteOrBlock(const Board& board)
{
    for (Piece p : {Piece::O, Piece::X}) {
        for (const Line& line : WinLines) {
            int count = 0;
            int other = 0;
            for (int cell : line) {
                if (board.CellOf(cell) == p)
                    ++count;
                else
                    other = cell;
            }
            if (count == 2 && isBlank(board, other))
                return other;
        }
    }
    return 0;
}

bool holds(const Board& board, int a, int b)
{
    return board.CellOf(a) == Piece::X && board.CellOf(b) == Piece::X;
}

} // namespace

int EasyMove(const Board& board, RandomSource& random)
{
    random.Randomize();
    return RandomEmptyCell(board, random);
}

int ModerateMove(const Board& board, int moveNumber, RandomSource& random)
{
    random.Randomize();
    if (Draw(random, 3) == 1)
        return RandomEmptyCell(board, random);
    return UnbeatableMove(board, moveNumber, random);
}

int HardMove(const Board& board, int moveNumber, RandomSource& random)
{
    random.Randomize();
    // O's second move always follows the rules.
    if (Draw(random, 9) == 1 && moveNumber != 4)
        return RandomEmptyCell(board, random);
    return UnbeatableMove(board, moveNumber, random);
}

int UnbeatableMove(const Board& board, int moveNumber, RandomSource& random)
{
    if (isBlank(board, 5))
        return 5;

    if (const int cell = CompleteOrBlock(board))
        return cell;

    // X on opposite corners: a corner reply would let X fork, a side does not.
    if ((holds(board, 3, 7) || holds(board, 1, 9)) && anyBlank(board, Sides)) {
        random.Randomize();
        for (;;) {
            const int cell = RandomCell(random);
            if (std::find(std::begin(Sides), std::end(Sides), cell) != std::end(Sides) &&
                isBlank(board, cell))
                return cell;
        }
    }

    if ((moveNumber == 2 || moveNumber == 4) && anyBlank(board, Corners)) {
        random.Randomize();
        for (;;) {
            const int cell = Corners[Draw(random, 3) - 1];
            if (isBlank(board, cell))
                return cell;
        }
    }

    random.Randomize();
    return RandomEmptyCell(board, random);
}

int ComputerMove(const QString& level, const Board& board, int moveNumber, RandomSource& random)
{
    switch (std::find(Levels.begin(), Levels.end(), level) - Levels.begin()) {
    case 0:
        return EasyMove(board, random);
    case 1:
        return ModerateMove(board, moveNumber, random);
    case 2:
        return HardMove(board, moveNumber, random);
    case 3:
        return UnbeatableMove(board, moveNumber, random);
    default:
        return 0;
    }
}

} // namespace dz
