// Points functions that this test program imports at replacements, and back,
// by rewriting its own import table: the cover layer and TagLib are linked
// into the program, so every call they make to those functions is seen.
#pragma once

#include <cstddef>

struct ImportHook {
    const char* dll;  // as the import table names it, in any case
    const char* function;
    void* replacement;
    void** original;  // set when the hook is installed
};

void patchImports(const ImportHook* hooks, std::size_t count, bool install);

template <std::size_t N>
void patchImports(const ImportHook (&hooks)[N], bool install) {
    patchImports(hooks, N, install);
}
