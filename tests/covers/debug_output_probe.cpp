#include "tests/covers/debug_output_probe.h"

#include <windows.h>

#include "tests/covers/import_patch.h"

namespace {

std::vector<std::string> g_lines;
decltype(&OutputDebugStringA) g_outputDebugStringA;

void WINAPI keepLine(LPCSTR text) {
    g_lines.emplace_back(text ? text : "");
}

const ImportHook kHooks[] = {
    {"kernel32.dll", "OutputDebugStringA", reinterpret_cast<void*>(keepLine),
     reinterpret_cast<void**>(&g_outputDebugStringA)},
};

}  // namespace

DebugOutputProbe::DebugOutputProbe() {
    g_lines.clear();
    patchImports(kHooks, true);
}

DebugOutputProbe::~DebugOutputProbe() {
    patchImports(kHooks, false);
}

const std::vector<std::string>& DebugOutputProbe::lines() const {
    return g_lines;
}
