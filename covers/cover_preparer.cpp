#include "covers/cover_preparer.h"

#include "covers/album_cover.h"
#include "covers/plugin_state.h"
#include "win/debug_trace.h"

namespace {

constexpr UINT_PTR kStepTimer = 1;
// A step ends after this long even when nothing waits, so that the host's
// posted messages and other timers take their turn.
constexpr DWORD kStepSliceMs = 20;
// What ends a step early: input, a paint, a posted or sent message.
constexpr UINT kWaitingMessages = QS_INPUT | QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE;

}  // namespace

bool CoverPreparer::start(Rule rule) {
    stop();
    rule_ = std::move(rule);
    done_ = 0;
    // A message-only window of a system class, whose timer calls back
    // directly: no class of ours to register around the module's life, and
    // no window procedure of ours that could outlive it.
    window_.reset(CreateWindowExA(0, "STATIC", "Coverhall cover preparer", 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, nullptr, nullptr));
    if (!window_) return false;
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (!SetTimer(window_.get(), kStepTimer, USER_TIMER_MINIMUM, &onTimer)) {
        stop();
        return false;
    }
    if (hooks_.progressChanged) hooks_.progressChanged();
    return true;
}

// The timer dies with the window, and so do its messages not yet taken.
void CoverPreparer::stop() {
    window_.reset();
}

int CoverPreparer::total() const {
    return libraryCatalogue().albumCount();
}

void CALLBACK CoverPreparer::onTimer(HWND window, UINT, UINT_PTR, DWORD) {
    auto* preparer = reinterpret_cast<CoverPreparer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!preparer || preparer->window_.get() != window) return;
    try {
        preparer->step();
    } catch (...) {
        coverhall::traceCurrentException("preparing covers failed");
    }
}

// The library is looked up afresh on every album: a reload meanwhile
// changes what is left to do, never what a step points at.
void CoverPreparer::step() {
    if (hooks_.othersFirst && hooks_.othersFirst()) return;
    const DWORD begun = GetTickCount();
    do {
        const LibraryCatalogue& library = libraryCatalogue();
        if (done_ >= library.albumCount()) {
            finish();
            return;
        }
        prepareAlbumCover(library.albumAt(done_), rule_.imageName.c_str(), rule_.mode,
                          rule_.songPictures);
        ++done_;
    } while (!HIWORD(GetQueueStatus(kWaitingMessages)) && GetTickCount() - begun < kStepSliceMs);
    if (hooks_.progressChanged) hooks_.progressChanged();
}

void CoverPreparer::finish() {
    stop();
    if (hooks_.progressChanged) hooks_.progressChanged();
}
