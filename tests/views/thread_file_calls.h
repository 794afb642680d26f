// Counts the file opens, listings and attribute queries that one module
// makes, split by thread: those on the thread that made the probe (the window
// thread) and those on any other. It patches the module's import table, so
// calls made inside other DLLs on the module's behalf are not seen. One probe
// at a time; destroy it before the module is unloaded.
#pragma once

#include <windows.h>

namespace coverhall::test {

class ThreadFileCallProbe {
  public:
    explicit ThreadFileCallProbe(HMODULE module);
    ~ThreadFileCallProbe();
    ThreadFileCallProbe(const ThreadFileCallProbe&) = delete;
    ThreadFileCallProbe& operator=(const ThreadFileCallProbe&) = delete;

    int windowThreadCalls() const;
    int otherThreadCalls() const;
    void reset();

  private:
    HMODULE module_;
};

}  // namespace coverhall::test
