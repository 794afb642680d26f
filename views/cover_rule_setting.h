// The cover rule the settings hold now, as the cover engine takes it.
#pragma once

#include "covers/cover_job.h"

CoverRule coverRuleInForce();
