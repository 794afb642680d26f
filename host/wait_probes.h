// Waiting for what the plug-in does later, on its timers and posted
// messages: until a condition holds, with a deadline that only a failure
// reaches, never for a fixed time that a busy machine outruns.
#pragma once

#include <windows.h>

#include <functional>

namespace coverhall::host {

class StandInHost;

// Handles the host's messages until done() holds or the deadline passes;
// whether it holds.
bool pumpUntil(StandInHost& host, const std::function<bool()>& done, int deadlineMs = 5000);

// Counts the texts set on a control (WM_SETTEXT) while it is watched: a
// rewrite with the same text counts too.
class TextWrites {
  public:
    explicit TextWrites(HWND control);
    ~TextWrites();
    TextWrites(const TextWrites&) = delete;
    TextWrites& operator=(const TextWrites&) = delete;
    int count() const { return count_; }

  private:
    static LRESULT CALLBACK watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR self);

    HWND control_;
    int count_ = 0;
};

}  // namespace coverhall::host
