// The hint: every free pair of one kind shown in turn on a worker thread, and "手詰まりです。" when there is none.
#include "play/hint.h"

#include <atomic>
#include <condition_variable>
#include <system_error>
#include <thread>

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "play/game_state.h"
#include "play/looks.h"
#include "play/outcome.h"
#include "play/play_platform.h"

HintTiming hintTiming;

namespace {

// The worker and how it is told to stop. `control` is held by whoever
// starts or stops the worker, and by a take; the worker itself never takes
// it, so joining while holding it cannot hang.
struct HintWorker {
    std::mutex control;
    std::thread thread;
    std::mutex waitMutex;
    std::condition_variable wake;
    bool stopRequested = false;  // under waitMutex
    std::atomic<int> run{0};
    std::atomic<bool> running{false};
};
HintWorker hint;

// Waits, unless a stop is asked for first; false when it was.
bool WaitUnlessStopped(std::chrono::milliseconds duration) {
    std::unique_lock<std::mutex> lock(hint.waitMutex);
    return !hint.wake.wait_for(lock, duration, [] { return hint.stopRequested; });
}

bool StopRequested() {
    std::lock_guard<std::mutex> lock(hint.waitMutex);
    return hint.stopRequested;
}

bool IsHintPair(int i, int j) {
    return !IsTaken(i) && !IsTaken(j) && FacesMatch(tileSlots[i].face, tileSlots[j].face) &&
           IsTileFree(i) == 1 && IsTileFree(j) == 1;
}

// After a pair's time in green: the answer's pair gets its yellow back (and
// loses a selection), the others their own look.
void EndPairShowing(int i, int j) {
    for (int slot : {i, j}) {
        if (IsAnswerTile(slot)) {
            tileSlots[slot].state = 0;
            RecolorTile(slot, LookHint, LookSelected, 0, LookAnswer, true);
        }
    }
    for (int slot : {i, j}) {
        if (tileSlots[slot].state == 0) {
            RecolorTile(slot, LookHint, 0, 0, LookNormal, true);
        } else if (tileSlots[slot].state == 1) {
            RecolorTile(slot, LookHint, 0, 0, LookSelected, true);
        }
    }
}

// Shows one pair if it is a free pair now; false when the worker must end.
bool ShowPairIfFree(int i, int j) {
    {
        LookLock looks(LookMutex());
        if (StopRequested()) {
            return false;
        }
        if (!IsHintPair(i, j)) {
            return true;
        }
        RecolorTile(i, LookNormal, LookAnswer, LookSelected, LookHint, true);
        RecolorTile(j, LookNormal, LookAnswer, LookSelected, LookHint, true);
    }
    FlushTileDrawing();
    if (!WaitUnlessStopped(hintTiming.shown)) {
        return false;
    }
    {
        LookLock looks(LookMutex());
        if (StopRequested()) {
            return false;
        }
        EndPairShowing(i, j);
    }
    FlushTileDrawing();
    return WaitUnlessStopped(hintTiming.pause);
}

void ShowAllPairs(int run) {
    for (int i = 1; i < kSlotCount; ++i) {
        for (int j = 0; j < i; ++j) {
            if (!ShowPairIfFree(i, j)) {
                return;
            }
        }
    }
    bool deadlocked = false;
    {
        LookLock looks(LookMutex());
        deadlocked = !StopRequested() && IsDeadlocked() == 1;
    }
    // The box is shown by the window thread: a worker that waited for it
    // here would hang a window thread that is waiting for the worker.
    if (deadlocked) {
        ReportHintDeadlock(run);
    }
}

void RunWorker(int run) {
    ShowAllPairs(run);
    hint.running = false;
}

}  // namespace

int CurrentHintRun() { return hint.run.load(); }

int HintIsRunning() { return hint.running ? 1 : 0; }

std::unique_lock<std::mutex> LockHintControl() { return std::unique_lock<std::mutex>(hint.control); }

int StopHintHolding(std::unique_lock<std::mutex>& control) {
    (void)control;
    hint.run += 1;
    if (!hint.thread.joinable()) {
        return 0;
    }
    {
        std::lock_guard<std::mutex> lock(hint.waitMutex);
        hint.stopRequested = true;
    }
    hint.wake.notify_all();
    hint.thread.join();
    LookLock looks(LookMutex());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RecolorTile(slot, LookHint, 0, 0, LookNormal, true);
    }
    return 1;
}

int StopHint() {
    std::unique_lock<std::mutex> control = LockHintControl();
    return StopHintHolding(control);
}

void StartHint() {
    std::unique_lock<std::mutex> control = LockHintControl();
    StopHintHolding(control);
    {
        LookLock looks(LookMutex());
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (tileSlots[slot].state == 1) {
                tileSlots[slot].state = 0;
                RecolorTile(slot, LookSelected, 0, 0, IsAnswerTile(slot) ? LookAnswer : LookNormal, true);
            }
        }
    }
    {
        std::lock_guard<std::mutex> lock(hint.waitMutex);
        hint.stopRequested = false;
    }
    const int run = ++hint.run;
    hint.running = true;
    try {
        hint.thread = std::thread(RunWorker, run);
    } catch (const std::system_error&) {
        hint.running = false;
        control.unlock();
        ShowThreadFailure();
    }
}
