// Helpers of the view tests: small libraries, the album window's search, the
// messages the thread takes and the pixels it shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/stand_in_host.h"
#include "tests/plugin/plugin_test_support.h"

namespace coverhall::test {

// Four albums of 33 minutes in all: "Blue Hour" (Jazz, 6:00), "Cold Rock"
// (Rock, 9:00), "Dance" (Pop, 12:00), "Echoes" (Classical, 6:00).
std::vector<host::HostSong> demoSongs();
// count songs of length seconds in the folder C:\Music\<artist><title>.
void addAlbum(std::vector<host::HostSong>& songs, const char* title, const char* artist, int year,
              int count, int length, const char* genre = "Jazz");

// Waits until the album window just opened has run its first search: its
// status line stays blank until then. Whether it ran.
[[nodiscard]] bool waitForFirstSearch(host::StandInHost& host);
// Selects "Coverhall" and waits for its first search; whether both happened.
[[nodiscard]] bool openAndSearch(host::StandInHost& host);
// Makes the change (typing, a click) and waits until the search it set off
// has run: every search writes the status line, the same text again too.
[[nodiscard]] bool searchAfter(host::StandInHost& host, const std::function<void()>& change);
// Types the text and waits until it has been searched.
[[nodiscard]] bool searchFor(host::StandInHost& host, const std::string& text);
// Puts the text into the search field as typing would.
void typeSearch(host::StandInHost& host, const std::string& text);
// The cover engine's wake-up, posted to its message-only window once for
// each batch of finished covers.
constexpr UINT kCoverResultsMessage = WM_APP + 0x2C;

// Shows each message this thread takes from its queue to a function,
// whichever loop takes it: the host's pump, a menu's or the test's own.
// One at a time.
class TakenMessages {
  public:
    explicit TakenMessages(std::function<void(const MSG&)> seen);
    ~TakenMessages();
    TakenMessages(const TakenMessages&) = delete;
    TakenMessages& operator=(const TakenMessages&) = delete;

  private:
    static LRESULT CALLBACK taken(int code, WPARAM wParam, LPARAM lParam);
    std::function<void(const MSG&)> seen_;
    HHOOK hook_;
};

// Handles this thread's messages one at a time until done() holds: the
// host's pump may not come back while timers keep firing. Whether done()
// held before the deadline.
bool handleMessagesUntil(const std::function<bool()>& done, DWORD deadlineMs = 10000);
// The colour (0xRRGGBB) of a window's pixel on screen.
uint32_t screenColour(HWND window, POINT point);

// The control's own visible style (the test host's window may be hidden).
bool shown(HWND control);
// Windows of this thread, children included, without tooltips.
size_t processWindowCount();

}  // namespace coverhall::test
