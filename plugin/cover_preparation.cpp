#include "plugin/cover_preparation.h"

#include "covers/plugin_state.h"
#include "settings/plugin_settings.h"
#include "views/cover_rule_setting.h"

bool preparingCovers() {
    const CoverEngine* engine = coverEngine();
    return engine && engine->preparing();
}

void startPreparingCovers() {
    if (CoverEngine* engine = coverEngine())
        engine->startPreparing(coverRuleInForce(), g_coverSize);
}

void stopPreparingCovers() {
    if (CoverEngine* engine = coverEngine()) engine->stopPreparing();
}
