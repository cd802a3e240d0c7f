// The platform as the rules of play reach it: everything a rule makes the player see or hear.
#pragma once

// Two sides implement it: game/play_platform_win32.cpp (library play_windows)
// for the real windows, and tests/support/play_platform_recorder.cpp (library
// play_platform_recorder) for host tests, logging every call in order.

enum class Sound { Check, Cancel, Get, Tezumari, Back };

// Plays a sound effect by name, asynchronously and without a default sound.
// A no-stop sound is skipped while another sound plays. The caller has
// already checked the sound switch.
void PlaySoundEffect(Sound sound, bool noStop);

// The writable pixels of face picture `face` (0..143): 62 rows of 44 bytes,
// bottom row first. Tile looks are drawn into them; null when missing.
unsigned char* FacePixels(int face);
// The writable pixels of the face's double-size picture (124 rows of 88
// bytes) while the board is drawn from it, above 96 DPI; looks are drawn
// into them too. Null at 96 DPI or when missing. The first time it is
// handed out it takes on the look FacePixels shows.
unsigned char* LargeFacePixels(int face);

// Draws the slot's face picture into its tile window now, not waiting for a paint.
void DrawTile(int slot);
// Hides the slot's tile window.
void HideTile(int slot);
// Shows the slot's tile window if it is hidden, names it after its tile for
// screen readers, and has it repainted with erasing.
void ShowTile(int slot);

// The keyboard cursor's frame around the slot's tile, where the tile stands
// in the view in force; a slot it was not on before also gets the keyboard
// focus, so screen readers say its tile. HideCursorFrame takes it away.
void ShowCursorFrame(int slot);
void HideCursorFrame();

enum class TilePlacementKind { Normal, Raised, Base };
// Moves all 144 tile windows at once: the normal or raised view, or to their
// base positions at their current size. The stacking order is kept.
void PlaceTiles(TilePlacementKind placement);

// Tells the history window to compose itself again: always when it exists,
// or only when it is visible.
void RefreshHistory(bool onlyIfVisible);

// The sound switch: its menu check marks, and storing it in the settings file.
void ShowSoundChecks(int soundOn);
void StoreSoundSetting(int soundOn);

// The deadlock and victory pictures over the board; HidePictures takes down
// whichever is shown. The deadlock picture tells screen readers how many
// takes back the deal can still be cleared, when that is known (not 0).
void ShowDeadlockPicture(int takesBack);
void ShowVictoryPicture();
void HidePictures();

// Called by the hint worker once it has drawn: makes sure what it drew
// reaches the screen although the window thread may be idle.
void FlushTileDrawing();

// Called by the hint worker when it found no pair to show: the window thread
// tells the player "手詰まりです。", unless hint run `run` has been stopped by then.
void ReportHintDeadlock(int run);

// The hint worker could not be started.
void ShowThreadFailure();

// The answer may not be seen yet: `neverPlayed` when nothing was taken and
// no deadlock met since the deal.
void ShowAnswerRefusal(bool neverPlayed);

// Asks whether to start the answer (again, when `answerRunning`): 1001 to
// start from the dealt position, 2 to leave things as they are.
int AskAnswerStart(bool answerRunning);
