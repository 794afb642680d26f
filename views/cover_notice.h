// What the status line says while and after a cover the user gave is set.
#pragma once

#include <string>

#include "covers/cover_job.h"

inline constexpr char kSettingCoverText[] = "Setting cover...";

// "Cover set: folder.jpg", with the files moved aside and a note when the
// Image Name could not be used; or why nothing changed.
std::string coverSetText(const SetCoverOutcome& outcome);
