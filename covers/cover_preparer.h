// Builds the thumbnail cache of every album of the library while the user
// goes on working: one album per step on a message-only window's timer, the
// steps giving way to the window thread's input and paints, and to the album
// wall while it fills its visible covers. The window belongs to the
// preparer, not to any view, so preparing goes on when the album window
// closes.
#pragma once

#include <windows.h>

#include <string>

#include "win/win_handles.h"

class CoverPreparer {
  public:
    // How covers are found; taken when preparing starts.
    struct Rule {
        std::string imageName;
        int mode = 2;
        bool songPictures = true;
    };
    // What the preparer asks of the views and tells them.
    struct Hooks {
        // True while visible covers wait for their decode: they go first.
        bool (*othersFirst)() = nullptr;
        // After each step, and once more when preparing ended.
        void (*progressChanged)() = nullptr;
    };

    explicit CoverPreparer(Hooks hooks) : hooks_(hooks) {}
    ~CoverPreparer() { stop(); }
    CoverPreparer(const CoverPreparer&) = delete;
    CoverPreparer& operator=(const CoverPreparer&) = delete;

    // Starts at the library's first album; false when its window or timer
    // cannot be made (nothing runs then). Running already, it starts over.
    bool start(Rule rule);
    // Ends at once: the window and its timer go, nothing is left queued.
    void stop();
    bool running() const { return static_cast<bool>(window_); }
    // Albums prepared so far, and the library's album count.
    int done() const { return done_; }
    int total() const;

  private:
    static void CALLBACK onTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void step();
    void finish();

    Hooks hooks_;
    Rule rule_;
    coverhall::UniqueWindow window_;
    int done_ = 0;
};
