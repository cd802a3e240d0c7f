// The deal's answer played back pair by pair, once the player has played enough.
#pragma once

// "答え": refused until 72 takes or two deadlocks since the deal; else the
// player may start (or restart) the answer.
void OfferAnswer();

// Every tile back on the board, and the answer's first pair in yellow.
void StartAnswer();

// Space: the pair in yellow is taken, and the answer moves on.
void TakeAnswerPair();
