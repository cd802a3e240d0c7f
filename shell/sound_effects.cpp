// Plays a sound effect from the file beside the program, or by its name.
#include "shell/sound_effects.h"

#include <windows.h>
#include <mmsystem.h>

#include "shell/settings.h"

std::wstring SoundSourceFor(const wchar_t* name, bool* isFile) {
    const std::wstring relative = std::wstring(kSoundFolderName) + L"\\" + name + L".wav";
    *isFile = FileExistsInProgramFolder(relative.c_str()) != 0;
    return *isFile ? GetProgramFolderPath(relative.c_str()) : std::wstring(name);
}

bool PlayNamedSoundFrom(SystemLibrary& winmm, const wchar_t* name, bool noStop) {
    auto* playSound = FindSystemFunction<decltype(PlaySoundW)>(winmm, "PlaySoundW");
    if (playSound == nullptr) {
        return false;
    }
    bool isFile = false;
    const std::wstring source = SoundSourceFor(name, &isFile);
    const DWORD flags = SND_ASYNC | SND_NODEFAULT | (isFile ? SND_FILENAME : 0) | (noStop ? SND_NOSTOP : 0);
    // The result is ignored on purpose: a sound that cannot be played (no
    // audio device, no such name) is not heard, and the game goes on.
    playSound(source.c_str(), nullptr, flags);
    return true;
}

void PlayNamedSound(const wchar_t* name, bool noStop) { PlayNamedSoundFrom(WinmmLibrary(), name, noStop); }
