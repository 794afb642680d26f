// The plug-in's version texts and the description the host shows for it.
#pragma once

#include <windows.h>

#include <string>

// The file whose version block start reads: ".\Plugins\ml_Coverhall.dll" on
// the Windows 95 family (high bit of GetVersion set), else the bare name.
const char* versionBlockFileName(DWORD windowsVersion);

// Empties g_versionText, g_commentsText and g_buildDateText, then fills them
// from the 040904b0 strings of fileName's version block. When that file has
// no readable block, the block of fallbackPath (the module's own path; may be
// null or empty) is read instead. Texts longer than their buffers are cut.
void readVersionTexts(const char* fileName, const char* fallbackPath);

// "Coverhall plug-in from Quillet Varnou GmbH / Version " + g_versionText,
// at most 255 characters.
std::string makeDescription();
