// COM for the calling thread. A thread already in an apartment keeps it:
// CoInitializeEx's S_FALSE still took a reference, which CoUninitialize gives
// back; its RPC_E_CHANGED_MODE (a multithreaded apartment, which serves as
// well) took none, and nothing is given back.
#pragma once

#include <objbase.h>

// For the length of a scope.
class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

// For the rest of the thread's work: entered once, on the first call, so
// that cover requests do not each enter and leave COM. The thread leaves by
// leaveThreadApartment before it ends (the plug-in's stop does it for the
// window thread); never from thread or DLL detach, which run under the
// loader lock.
void enterThreadApartment();
void leaveThreadApartment();
