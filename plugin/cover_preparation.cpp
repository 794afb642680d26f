#include "plugin/cover_preparation.h"

#include <memory>

#include "covers/plugin_state.h"
#include "settings/plugin_settings.h"
#include "views/view_windows.h"

bool preparingCovers() {
    const PluginState* state = pluginState();
    return state && state->coverPreparer && state->coverPreparer->running();
}

void startPreparingCovers() {
    PluginState* state = pluginState();
    if (!state) return;
    if (!state->coverPreparer)
        state->coverPreparer = std::make_unique<CoverPreparer>(
            CoverPreparer::Hooks{&albumWallFilling, &showCoverProgress});
    state->coverPreparer->start(
        CoverPreparer::Rule{g_frontCoverImageName, g_coverDetectionMode, g_embeddedCovers});
}

void stopPreparingCovers() {
    PluginState* state = pluginState();
    if (!state || !state->coverPreparer) return;
    state->coverPreparer->stop();
    showCoverProgress();
}
