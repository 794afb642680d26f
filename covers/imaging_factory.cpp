#include "covers/imaging_factory.h"

#include "win/debug_trace.h"

namespace {

// A plain pointer: nothing runs at thread exit, and the scope that set it
// releases the factory while its apartment still stands.
thread_local IWICImagingFactory* t_factory = nullptr;

}  // namespace

ImagingScope::ImagingScope(DWORD model) : apartment_(model), outer_(t_factory) {
    const HRESULT result =
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(factory_.put()));
    if (FAILED(result)) coverhall::traceFailure("cannot make the WIC factory", nullptr, result);
    if (factory_) t_factory = factory_.get();
}

ImagingScope::~ImagingScope() {
    t_factory = outer_;
}

IWICImagingFactory* imagingFactory() {
    return t_factory;
}
