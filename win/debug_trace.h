// Failures the plug-in swallows (a cover that cannot be decoded, a cache
// that cannot be written, an exception stopped at a callback) each leave one
// line of debug output, "Coverhall: ...", for a debugger or DebugView: the
// user sees nothing, yet a missing cover can be explained from their machine.
// A failure is written once per subject in a session; after
// kMaxTracedFailures different ones, nothing more, so a large broken library
// neither floods the output nor grows the memory of what was written.
#pragma once

#include <windows.h>

#include <cstddef>

namespace coverhall {

constexpr std::size_t kMaxTracedFailures = 256;

// "Coverhall: <failure> "<subject>": 0x<result>"; subject (mostly a file
// path) may be null.
void traceFailure(const char* failure, const char* subject, HRESULT result) noexcept;

// The same with a text instead of a code.
void traceFailure(const char* failure, const char* subject, const char* detail) noexcept;

// Inside a catch block: the exception being handled, by its text where it
// has one.
void traceCurrentException(const char* failure, const char* subject = nullptr) noexcept;

// The last Win32 error as an HRESULT; E_FAIL when the call set none.
HRESULT lastErrorResult() noexcept;

}  // namespace coverhall
