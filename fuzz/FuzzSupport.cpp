// What the fuzz targets share: one headless application on our content, keys taken from the
// input, and files that live in memory.
#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

#include "play/GameFlow.h"
#include "render/Image.h"
#include "render/Texture.h"

namespace glint::fuzz {

namespace {

// What start-up left in the shared application, put back before every input.
struct Pristine {
    GameSettings settings;
    ParamTable menuTable;
    int skin = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int windowX = 0;
    int windowY = 0;
    bool autosave = false;
    bool soundOn = true;
};

Pristine& pristine() {
    static Pristine state;
    return state;
}

std::string packPath() {
    const char* named = std::getenv("GLINT_FUZZ_PACK");
    return named != nullptr && *named != '\0' ? named : GLINT_FUZZ_DEFAULT_PACK;
}

App* makeApp() {
    setJpegMessagesSilenced(true);
    Texture::setUploadEnabled(false);
    // Never destroyed: the targets run until the process ends.
    auto* app = new App(packPath());
    app->catalogue->load();
    Pristine& p = pristine();
    p.settings = app->settings;
    p.menuTable = app->menuTable;
    p.skin = app->catalogue->currentSkin();
    p.windowWidth = app->windowWidth;
    p.windowHeight = app->windowHeight;
    p.windowX = app->windowX;
    p.windowY = app->windowY;
    p.autosave = app->autosave;
    p.soundOn = app->soundOn;
    return app;
}

}  // namespace

App& headlessApp() {
    static App* app = makeApp();
    return *app;
}

App& freshApp() {
    App& app = headlessApp();
    const Pristine& p = pristine();
    app.settings = p.settings;
    app.menuTable = p.menuTable;
    app.catalogue->setCurrentSkin(p.skin);
    app.windowWidth = p.windowWidth;
    app.windowHeight = p.windowHeight;
    app.windowX = p.windowX;
    app.windowY = p.windowY;
    app.autosave = p.autosave;
    app.soundOn = p.soundOn;
    return app;
}

ParamTable tableOf(const std::uint8_t* data, std::size_t size) {
    ParamTable table;
    table.loadFromBuffer(std::span<const std::uint8_t>(data, size), true);
    return table;
}

ByteKeys::ByteKeys() {
    headlessApp().keyboard.attach(*this);
}

ByteKeys::~ByteKeys() {
    headlessApp().keyboard.detach();
}

bool ByteKeys::readState(platform::KeyState& state) {
    state.fill(0);
    const GameSettings& s = headlessApp().settings;
    const int codes[8] = {s.m_left_key, s.m_right_key, s.m_up_key, s.m_down_key,
                          s.m_fire_key, s.m_die_key,   kKeyZ,      kKeyC};
    for (int bit = 0; bit < 8; ++bit) {
        // A binding outside the state is never held, as the game's own reads have it.
        if ((keys_ >> bit & 1) != 0 && codes[bit] >= 0 && codes[bit] < kKeyCodeCount) {
            state[static_cast<std::size_t>(codes[bit])] = platform::kKeyPressed;
        }
    }
    return true;
}

void play(GameFlow& flow, std::span<const std::uint8_t> keys, int ticks) {
    ByteKeys held;
    for (int t = 0; t < ticks && !flow.m_is_game_over; ++t) {
        held.hold(static_cast<std::size_t>(t) < keys.size() ? keys[static_cast<std::size_t>(t)]
                                                            : 0);
        flow.tick(App::kFrameMs);
    }
}

MemoryFile::MemoryFile(std::span<const std::uint8_t> bytes) {
    fd_ = ::memfd_create("glint-fuzz", 0);
    if (fd_ < 0) {
        return;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        written += static_cast<std::size_t>(n);
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace glint::fuzz
