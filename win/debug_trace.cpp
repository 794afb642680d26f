#include "win/debug_trace.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <unordered_set>

namespace coverhall {
namespace {

// Failures may be traced from any thread; this lock needs no construction.
SRWLOCK g_tracedLock = SRWLOCK_INIT;
// A hash of failure and subject per line written: a few bytes each, however
// long the path.
std::unordered_set<uint64_t> g_traced;

class ExclusiveLock {
  public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

  private:
    SRWLOCK& lock_;
};

// FNV-1a (64 bits) of the failure, a separator and the subject.
uint64_t keyOf(const char* failure, const char* subject) {
    uint64_t hash = 0xcbf29ce484222325ull;
    const auto add = [&hash](const char* text) {
        for (; *text; ++text) hash = (hash ^ static_cast<unsigned char>(*text)) * 0x100000001b3ull;
    };
    add(failure);
    hash = (hash ^ '\n') * 0x100000001b3ull;
    if (subject) add(subject);
    return hash;
}

enum class Novelty { Known, New, NewAndLast };

Novelty noveltyOf(const char* failure, const char* subject) {
    const uint64_t key = keyOf(failure, subject);
    const ExclusiveLock lock(g_tracedLock);
    if (g_traced.size() >= kMaxTracedFailures || !g_traced.insert(key).second)
        return Novelty::Known;
    return g_traced.size() == kMaxTracedFailures ? Novelty::NewAndLast : Novelty::New;
}

void write(const char* failure, const char* subject, const char* detail) {
    const Novelty novelty = noveltyOf(failure, subject);
    if (novelty == Novelty::Known) return;
    // A subject beyond the buffer is cut; its start says enough.
    char line[1024];
    if (subject) {
        std::snprintf(line, sizeof line, "Coverhall: %s \"%s\": %s\n", failure, subject, detail);
    } else {
        std::snprintf(line, sizeof line, "Coverhall: %s: %s\n", failure, detail);
    }
    OutputDebugStringA(line);
    if (novelty == Novelty::NewAndLast)
        OutputDebugStringA("Coverhall: too many failures; no more are traced\n");
}

}  // namespace

void traceFailure(const char* failure, const char* subject, HRESULT result) noexcept {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    traceFailure(failure, subject, code);
}

void traceFailure(const char* failure, const char* subject, const char* detail) noexcept {
    try {
        write(failure ? failure : "failure", subject, detail ? detail : "");
    } catch (...) {
        // No memory left for the set: the trace is the least of it.
    }
}

void traceCurrentException(const char* failure, const char* subject) noexcept {
    try {
        const std::exception_ptr current = std::current_exception();
        if (current) std::rethrow_exception(current);
    } catch (const std::exception& exception) {
        traceFailure(failure, subject, exception.what());
        return;
    } catch (...) {
    }
    traceFailure(failure, subject, "unknown exception");
}

HRESULT lastErrorResult() noexcept {
    const DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace coverhall
