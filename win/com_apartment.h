// COM for the calling thread, for the length of a scope. A thread already
// in an apartment keeps it: CoInitializeEx's S_FALSE still took a
// reference, which CoUninitialize gives back; its RPC_E_CHANGED_MODE (the
// other kind of apartment, which serves as well) took none, and nothing is
// given back.
#pragma once

#include <objbase.h>

class ComApartment {
  public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED)
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};
