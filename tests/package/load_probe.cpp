// Loads a DLL and frees it, nothing else: a call trace of this program then
// shows only what the DLL does while it is loaded and unloaded.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HMODULE dll = LoadLibraryA(argv[1]);
    if (!dll) return 1;
    return FreeLibrary(dll) ? 0 : 1;
}
