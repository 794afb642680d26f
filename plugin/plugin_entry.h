// The plug-in's record and the three functions the host calls through it.
#pragma once

#include "win/host_interface.h"

extern PluginRecord g_pluginRecord;

int __cdecl start();
void __cdecl stop();
INT_PTR __cdecl onMessage(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3);

extern "C" __declspec(dllexport) PluginRecord* __cdecl winampGetMediaLibraryPlugin();
