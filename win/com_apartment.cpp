#include "win/com_apartment.h"

#include "win/debug_trace.h"

namespace {

// Whether this thread is in COM by enterThreadApartment, and whether that
// took a reference to give back.
thread_local bool t_entered = false;
thread_local bool t_referenced = false;

}  // namespace

void enterThreadApartment() {
    if (t_entered) return;
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    t_referenced = SUCCEEDED(result);
    t_entered = t_referenced || result == RPC_E_CHANGED_MODE;
    if (!t_entered) coverhall::traceFailure("cannot enter COM", nullptr, result);
}

void leaveThreadApartment() {
    if (t_referenced) CoUninitialize();
    t_entered = t_referenced = false;
}
