// The sound effects of the game and the screensaver: the program's own sound file of a name when it is installed, else the name as the platform knows it.
#pragma once

#include <string>

#include "shell/system_library.h"

// The folder beside the program that holds the sound files, one
// "<name>.wav" for each sound name.
inline constexpr wchar_t kSoundFolderName[] = L"sounds";

// What PlayNamedSound hands the platform for `name`: the full path of
// "sounds\<name>.wav" beside the program when that file exists (`*isFile`
// set to true), else `name` itself (`*isFile` false).
std::wstring SoundSourceFor(const wchar_t* name, bool* isFile);

// Plays the sound of `name` asynchronously, never a default sound in its
// place. A no-stop sound is skipped while another sound plays. A sound that
// cannot be played is simply not heard. The sound library is loaded at the
// first sound.
void PlayNamedSound(const wchar_t* name, bool noStop);
// The same with the sound functions taken from `winmm`: false, with nothing
// played, when that library or its PlaySoundW cannot be had.
bool PlayNamedSoundFrom(SystemLibrary& winmm, const wchar_t* name, bool noStop);
