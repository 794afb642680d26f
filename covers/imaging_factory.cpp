#include "covers/imaging_factory.h"

#include "win/com_apartment.h"
#include "win/debug_trace.h"
#include "win/win_handles.h"

namespace {

coverhall::ComPtr<IWICImagingFactory> g_factory;

}  // namespace

IWICImagingFactory* imagingFactory() {
    if (g_factory) return g_factory.get();
    enterThreadApartment();
    const HRESULT result =
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(g_factory.put()));
    if (FAILED(result)) coverhall::traceFailure("cannot make the WIC factory", nullptr, result);
    return g_factory.get();
}

void releaseImaging() {
    // The factory goes while its apartment still stands.
    g_factory.reset();
    leaveThreadApartment();
}
