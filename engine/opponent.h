// The computer's move as O at the four levels. Each move function reseeds and draws
// through `random` exactly as the level's rules say, and returns the chosen cell; the
// main window then plays it like a click.
#pragma once

#include <QString>

#include "engine/board.h"
#include "engine/random_source.h"

namespace dz
{

// The draws, each r rounded half to even. RandomCell favours cells 2..8 two to one over
// 1 and 9; RandomCorner favours 3 and 7 two to one over 1 and 9.
int RandomCell(RandomSource& random);     // r*8+1: a cell 1..9
int RandomCorner(RandomSource& random);   // r*3+1: 1..4 standing for cell 1, 3, 7 or 9
int ModerateChoice(RandomSource& random); // r*3+1: 1 means a random move
int HardChoice(RandomSource& random);     // r*9+1: 1 means a random move

// Precondition for all moves: O to move in a running game (moveNumber even). On such
// boards the returned cell is always empty; 0 only for a full board.
int EasyMove(const Board& board, RandomSource& random);
int ModerateMove(const Board& board, int moveNumber, RandomSource& random);
int HardMove(const Board& board, int moveNumber, RandomSource& random);
int UnbeatableMove(const Board& board, int moveNumber, RandomSource& random);

// The move for the level named exactly (case included); 0 for any other text: no move.
int ComputerMove(const QString& level, const Board& board, int moveNumber, RandomSource& random);

} // namespace dz
