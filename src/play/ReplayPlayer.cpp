// A recorded game played again, tick for tick.
#include "play/ReplayPlayer.h"

#include "app/App.h"

namespace glint {

namespace {

// The settings a replay's set-up changes, put back once its game is made.
class KeepSettings {
public:
    explicit KeepSettings(GameSettings& settings) : settings_(settings), kept_(settings) {}
    ~KeepSettings() {
        settings_.m_level_set = kept_.m_level_set;
        settings_.m_custom_type_game = kept_.m_custom_type_game;
        settings_.m_custom_kind_game = kept_.m_custom_kind_game;
        settings_.m_custom_level_num = kept_.m_custom_level_num;
    }
    KeepSettings(const KeepSettings&) = delete;
    KeepSettings& operator=(const KeepSettings&) = delete;

private:
    GameSettings& settings_;
    GameSettings kept_;
};

}  // namespace

ReplayPlayer::ReplayPlayer(App& app, const Replay& replay) : replay_(replay) {
    KeepSettings keep(app.settings);
    // In the order the menu makes a game: the settings' level set, the seeded game, then the
    // custom choice or the saved state.
    app.settings.m_level_set = replay.levelSet;
    GameFlow::Options options;
    options.seed = replay.seed;
    flow_ = std::make_unique<GameFlow>(app, options);
    if (replay.custom) {
        app.settings.m_custom_type_game = replay.customType;
        app.settings.m_custom_kind_game = replay.customSet;
        app.settings.m_custom_level_num = replay.customLevel;
        flow_->startCustomGame();
    }
    if (replay.resumedFrom) {
        flow_->load(*replay.resumedFrom);
    }
}

bool ReplayPlayer::step(int ms) {
    const auto& ticks = replay_.ticks;
    while (next_ < ticks.size() && ticks[next_] == Replay::kWaiting) {
        ++next_;
    }
    if (next_ >= ticks.size() || flow_->m_is_game_over) {
        return false;
    }
    flow_->tick(ms, static_cast<Actions>(ticks[next_++]));
    ++gameTicks_;
    return true;
}

}  // namespace glint
