// The board every other unit speaks in: nine cells numbered 1..9 row by row from the
// top left, three piece values, and the eight lines of three in their fixed search order.
#pragma once

#include <array>
#include <string_view>

#include <QString>

namespace dz
{

enum class Piece { X = 1, O = 2, Blank = 3 };

using Line = std::array<int, 3>;

// The search order matters: both the line check and the computer's rules take the
// first match in this order.
inline constexpr std::array<Line, 8> WinLines{{
    {1, 2, 3},
    {4, 5, 6},
    {7, 8, 9},
    {1, 4, 7},
    {2, 5, 8},
    {3, 6, 9},
    {1, 5, 9},
    {3, 5, 7},
}};

class Board
{
public:
    Board() { clear(); }

    // A board written as a picture of its nine cells, rows split by '|': "XO.|.X.|..O".
    static Board fromPicture(std::string_view picture);
    QString picture() const;

    /* 1 <= cell <= 9 */
    Piece CellOf(int cell) const { return cells_[static_cast<size_t>(cell - 1)]; }
    void place(int cell, Piece piece) { cells_[static_cast<size_t>(cell - 1)] = piece; }
    void clear() { cells_.fill(Piece::Blank); }
    int pieces() const;

    static bool isCell(int cell) { return cell >= 1 && cell <= 9; }

private:
    std::array<Piece, 9> cells_;
};

enum class Outcome { Running, Line, Tie };

// X's lines are searched before O's and the tie is counted by moves, not by empty cells,
// so a ninth move that completes a line is a win.
Outcome FindOutcome(const Board& board, int moveNumber);

} // namespace dz
