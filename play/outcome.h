// Where the game stands after a click: stuck with no pair left, or the board cleared.
#pragma once

// The state a slot has once all 72 pairs are taken: the first pair taken.
constexpr int kFirstOfAllPairsState = 73;

// 1 when no two free tiles on the board are of one kind and the board is not
// cleared; else 0. Each tile's freedom is worked out once.
int IsDeadlocked();

// 1 when every pair is taken, outside answer mode; else 0.
int IsBoardCleared();

// The history cell of the first take of the present line of play (the
// pairs taken now, in the history's order) after which the deal could no
// longer be cleared; -1 when there is none or the solver could not tell
// within its budget.
int FindLosingCell();

// After a selecting click: the deadlock picture and its sound, with the
// losing take found and marked when the click took a pair, or the victory
// picture at the deal's first clearing.
void ShowOutcomeOfClick(bool tookPair);
