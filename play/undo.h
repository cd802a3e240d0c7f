// Taking moves back: the slots' taken ages are the move record, so undo needs no list of moves.
#pragma once

// One step back: answer mode ends, selections are dropped and the most
// recent pair comes back (with one "back"); earlier pairs grow one younger.
void UndoMove();

// Undo back to history cell `cell` (0 the first pair taken): the pair in it
// and every later one come back, one undo each. Nothing for an empty cell.
// Returns the number of undos.
int UndoBackToCell(int cell, void (*undoOnce)());
