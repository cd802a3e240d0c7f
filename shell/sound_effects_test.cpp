// Sound effects under Wine: the file beside the program is chosen when it is there, the name otherwise, and playing either never holds up the caller.
#include "shell/sound_effects.h"

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "shell/settings.h"
#include "tests/support/window_harness.h"

namespace {

// A "sounds" folder beside the test program holding the game's "check"
// sound, as the build installs it beside the game (the test program lies one
// folder below the game), taken away afterwards.
class SoundFolder {
public:
    SoundFolder()
        : folder_(GetProgramFolderPath(kSoundFolderName)),
          file_(GetProgramFolderPath((std::wstring(kSoundFolderName) + L"\\check.wav").c_str())) {
        CreateDirectoryW(folder_.c_str(), nullptr);
        copied_ = CopyFileW(GetProgramFolderPath(L"..\\sounds\\check.wav").c_str(), file_.c_str(), FALSE) != 0;
    }
    ~SoundFolder() {
        // An asynchronous sound may still hold its file for a moment. The
        // test links no sound library, like the game: it comes from the
        // loader, which the cases below have made load it.
        if (auto* playSound = FindSystemFunction<decltype(PlaySoundW)>(WinmmLibrary(), "PlaySoundW")) {
            playSound(nullptr, nullptr, 0);
        }
        harness::PumpUntil([&] { return DeleteFileW(file_.c_str()) != 0 || GetLastError() == ERROR_FILE_NOT_FOUND; },
                           5000);
        RemoveDirectoryW(folder_.c_str());
    }

    bool copied() const { return copied_; }
    const std::wstring& file() const { return file_; }

private:
    std::wstring folder_;
    std::wstring file_;
    bool copied_ = false;
};

// Runs `call` on a thread of its own and says how long it took, or -1 when
// it has not returned within `timeoutMs`; a hung call is left behind, so it
// fails the test instead of holding up the run.
long long MillisecondsTaken(std::function<void()> call, int timeoutMs) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> returned = done->get_future();
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([call, done] {
        call();
        done->set_value();
    });
    if (returned.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready) {
        worker.detach();
        return -1;
    }
    worker.join();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(SoundEffects, TheFileBesideTheProgramIsPlayedByItsFullPath) {
    SoundFolder folder;
    ASSERT_TRUE(folder.copied()) << "the build installs sounds\\check.wav beside the game";
    bool isFile = false;
    EXPECT_EQ(SoundSourceFor(L"check", &isFile), folder.file());
    EXPECT_TRUE(isFile);
    // A name with no file of its own in the folder stays a name.
    isFile = true;
    EXPECT_EQ(SoundSourceFor(L"get", &isFile), L"get");
    EXPECT_FALSE(isFile);
}

TEST(SoundEffects, WithoutTheFolderTheNameIsPlayed) {
    RemoveDirectoryW(GetProgramFolderPath(kSoundFolderName).c_str());
    bool isFile = true;
    EXPECT_EQ(SoundSourceFor(L"check", &isFile), L"check");
    EXPECT_FALSE(isFile);
}

// Wine here has no audio device: a sound must fail quietly, never hang.
TEST(SoundEffects, PlayingReturnsPromptlyWithOrWithoutAFile) {
    SoundFolder folder;
    ASSERT_TRUE(folder.copied());
    for (const bool noStop : {false, true}) {
        for (const wchar_t* name : {L"check", L"tezumari"}) {
            const long long took = MillisecondsTaken([=] { PlayNamedSound(name, noStop); }, 10000);
            EXPECT_GE(took, 0) << "PlayNamedSound(" << name << ", " << noStop << ") did not return";
            EXPECT_LT(took, 1000) << "PlayNamedSound(" << name << ", " << noStop << ")";
        }
    }
}
