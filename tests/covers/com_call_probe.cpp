#include "tests/covers/com_call_probe.h"

#include <windows.h>
#include <wincodec.h>

#include "tests/covers/import_patch.h"

namespace {

int g_entered = 0, g_factories = 0;

decltype(&CoInitializeEx) g_coInitializeEx;
decltype(&CoCreateInstance) g_coCreateInstance;

HRESULT WINAPI countCoInitializeEx(LPVOID reserved, DWORD model) {
    ++g_entered;
    return g_coInitializeEx(reserved, model);
}
HRESULT WINAPI countCoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                     LPVOID* object) {
    if (IsEqualCLSID(clsid, CLSID_WICImagingFactory)) ++g_factories;
    return g_coCreateInstance(clsid, outer, context, iid, object);
}

const ImportHook kHooks[] = {
    {"ole32.dll", "CoInitializeEx", reinterpret_cast<void*>(countCoInitializeEx),
     reinterpret_cast<void**>(&g_coInitializeEx)},
    {"ole32.dll", "CoCreateInstance", reinterpret_cast<void*>(countCoCreateInstance),
     reinterpret_cast<void**>(&g_coCreateInstance)},
};

}  // namespace

ComCallProbe::ComCallProbe() {
    g_entered = g_factories = 0;
    patchImports(kHooks, true);
}

ComCallProbe::~ComCallProbe() {
    patchImports(kHooks, false);
}

int ComCallProbe::apartmentsEntered() const {
    return g_entered;
}
int ComCallProbe::factoriesMade() const {
    return g_factories;
}
