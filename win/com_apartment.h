// COM for the calling thread for the length of one cover request. A thread
// already in an apartment keeps it; CoUninitialize follows only a successful
// CoInitializeEx.
#pragma once

#include <objbase.h>

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
