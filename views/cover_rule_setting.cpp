#include "views/cover_rule_setting.h"

#include "settings/plugin_settings.h"

CoverRule coverRuleInForce() {
    return normalisedRule(g_coverDetectionMode, g_frontCoverImageName, g_embeddedCovers);
}
