#include "plugin_entry.h"

int __cdecl start() { return 0; }

void __cdecl stop() {}

int __cdecl onMessage(int, int, int, int) { return 0; }
