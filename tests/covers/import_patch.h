// Points functions that a module imports at replacements, and back, by
// rewriting that module's import table. The test program's own table sees
// the cover layer and TagLib linked into it; a loaded plug-in DLL's table
// sees every call the plug-in makes.
#pragma once

#include <windows.h>

#include <cstddef>

struct ImportHook {
    const char* dll;  // as the import table names it, in any case
    const char* function;
    void* replacement;
    void** original;  // set when the hook is installed; left alone if not imported
};

void patchModuleImports(HMODULE module, const ImportHook* hooks, std::size_t count, bool install);

// The test program's own module.
void patchImports(const ImportHook* hooks, std::size_t count, bool install);

template <std::size_t N>
void patchImports(const ImportHook (&hooks)[N], bool install) {
    patchImports(hooks, N, install);
}
