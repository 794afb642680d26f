#include "tests/covers/import_patch.h"

#include <cstring>

namespace {

void writeSlot(void** slot, void* value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

void patchSlot(void** slot, const ImportHook& hook, bool install) {
    if (install) {
        *hook.original = *slot;
        writeSlot(slot, hook.replacement);
    } else {
        writeSlot(slot, *hook.original);
    }
}

}  // namespace

// IMAGE_NT_HEADERS is the build's own width, PE32 or PE32+, as is every
// module loaded into this process.
void patchModuleImports(HMODULE module, const ImportHook* hooks, std::size_t count, bool install) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name; ++dll) {
        // Without a name table the loader has overwritten the only copy of the names.
        if (!dll->OriginalFirstThunk) continue;
        const char* dllName = reinterpret_cast<char*>(base + dll->Name);
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            for (std::size_t i = 0; i < count; ++i) {
                const ImportHook& hook = hooks[i];
                if (lstrcmpiA(dllName, hook.dll) == 0 &&
                    std::strcmp(reinterpret_cast<const char*>(byName->Name), hook.function) == 0)
                    patchSlot(reinterpret_cast<void**>(&slots->u1.Function), hook, install);
            }
        }
    }
}

void patchImports(const ImportHook* hooks, std::size_t count, bool install) {
    patchModuleImports(GetModuleHandleA(nullptr), hooks, count, install);
}
