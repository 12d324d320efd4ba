// Parsing sheet sources and drawing their animated parts frame by frame.
#include "SheetSource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

#include "PixelArt.h"
#include "SourceText.h"

namespace glint::content {

namespace {

// A small deterministic noise source, so that every build draws the same flames.
float hashNoise(int seed, int a, int b) {
    std::uint32_t h = static_cast<std::uint32_t>(seed) * 0x9E3779B1u ^
                      static_cast<std::uint32_t>(a) * 0x85EBCA77u ^
                      static_cast<std::uint32_t>(b) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xffffff) / static_cast<float>(0xffffff);
}

int frameOfCrumbleChar(char c) {
    if (c >= '1' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return 10 + (c - 'a');
    }
    return -1;
}

void drawFlame(Image& img, Params& p, int frame, int frames) {
    const float x0 = p.number("x");
    const float y0 = p.number("y");
    const float width = p.number("width");
    const float height = p.number("height");
    const Color inner = p.color("inner");
    const Color middle = p.color("middle");
    const Color outer = p.color("outer");
    const float sway = p.number("sway", 1.5f);
    const int seed = p.integer("seed", 1);
    p.finish();

    // The flame breathes once per loop and jitters a little from frame to frame, so that the
    // loop closes without a jump.
    const float phase =
        2.0f * std::numbers::pi_v<float> * static_cast<float>(frame) / static_cast<float>(frames);
    const float h =
        height * (0.88f + 0.08f * std::sin(phase) + 0.08f * (hashNoise(seed, frame, 1) - 0.5f));
    const float tipShift = sway * std::sin(phase * 2.0f + static_cast<float>(seed)) +
                           sway * 0.6f * (hashNoise(seed, frame, 2) - 0.5f);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const float t = (y0 - (static_cast<float>(y) + 0.5f)) / h;  // 0 at base, 1 at tip
            if (t < 0.0f || t > 1.0f) {
                continue;
            }
            const float centre = x0 + tipShift * t * t;
            const float half =
                width * 0.5f * std::pow(1.0f - t, 0.65f) * std::min(1.0f, (t + 0.18f) * 3.2f);
            const float dx = std::fabs(static_cast<float>(x) + 0.5f - centre);
            if (half <= 0.0f || dx > half) {
                continue;
            }
            const float r = dx / half;
            Color c = outer;
            if (r < 0.45f && t < 0.55f) {
                c = inner;
            } else if (r < 0.8f && t < 0.85f) {
                c = middle;
            }
            img.blend(x, y, c);
        }
    }
}

void drawGlow(Image& img, Params& p, int frame, int frames) {
    const float x0 = p.number("x");
    const float y0 = p.number("y");
    const float radius = p.number("radius");
    const Color color = p.color("color");
    const float pulse = p.number("pulse", 0.15f);
    p.finish();
    const float phase =
        2.0f * std::numbers::pi_v<float> * static_cast<float>(frame) / static_cast<float>(frames);
    const float strength = 1.0f - pulse * 0.5f + pulse * 0.5f * std::sin(phase);
    Image halo(img.width(), img.height());
    // Keep a clear pixel at every edge: the frames sit side by side in one texture.
    for (int y = 1; y < img.height() - 1; ++y) {
        for (int x = 1; x < img.width() - 1; ++x) {
            const float d =
                std::hypot(static_cast<float>(x) + 0.5f - x0, static_cast<float>(y) + 0.5f - y0) /
                radius;
            if (d >= 1.0f) {
                continue;
            }
            const float a = color.a * strength * std::pow(1.0f - d, 1.6f);
            halo.at(x, y) = color.withAlpha(a).toRgba();
        }
    }
    halo.compose(img, 0, 0);
    img = halo;
}

void drawSparkle(Image& img, Params& p, int frame, int frames) {
    const int x0 = p.integer("x");
    const int y0 = p.integer("y");
    const Color color = p.color("color");
    const float phase = p.number("phase", 0.0f);
    p.finish();
    // Bright for a third of the loop, starting at `phase` (a fraction of the loop).
    float t = static_cast<float>(frame) / static_cast<float>(frames) - phase;
    t -= std::floor(t);
    if (t > 0.34f) {
        return;
    }
    const float k = std::sin(t / 0.34f * std::numbers::pi_v<float>);
    img.blend(x0, y0, color.withAlpha(color.a * k));
    const float arm = color.a * k * 0.7f;
    img.blend(x0 - 1, y0, color.withAlpha(arm));
    img.blend(x0 + 1, y0, color.withAlpha(arm));
    img.blend(x0, y0 - 1, color.withAlpha(arm));
    img.blend(x0, y0 + 1, color.withAlpha(arm));
    if (k > 0.8f) {
        img.blend(x0 - 2, y0, color.withAlpha(arm * 0.5f));
        img.blend(x0 + 2, y0, color.withAlpha(arm * 0.5f));
        img.blend(x0, y0 - 2, color.withAlpha(arm * 0.5f));
        img.blend(x0, y0 + 2, color.withAlpha(arm * 0.5f));
    }
}

}  // namespace

Sheet readSheetSource(const std::string& path) {
    SourceFile source(path);
    std::vector<std::string> words = source.next();
    if (words.empty() || words[0] != "sheet" || words.size() < 2) {
        source.fail("a sheet source begins with \"sheet NAME cell N frames F groups G\"");
    }
    Sheet sheet;
    sheet.name = words[1];
    {
        Params p(words, 2, source.where());
        sheet.cell = p.integer("cell");
        sheet.frames = p.integer("frames");
        sheet.groups = p.integer("groups");
        p.finish();
    }
    if (sheet.cell < 4 || sheet.frames < 1 || sheet.groups < 1) {
        source.fail("a sheet needs a cell of at least 4 pixels and at least one frame and group");
    }
    std::vector<std::optional<Image>> cells(static_cast<std::size_t>(sheet.frames * sheet.groups));
    std::optional<Palette> palette;

    auto groupArg = [&](const std::vector<std::string>& w) {
        if (w.size() < 2) {
            source.fail("\"" + w[0] + "\" needs a group number");
        }
        int g = toInteger(w[1], source.where());
        if (g < 0 || g >= sheet.groups) {
            source.fail("group " + w[1] + " is outside the sheet");
        }
        return g;
    };
    auto readGrid = [&]() {
        if (!palette) {
            source.fail("a grid comes after the palette");
        }
        return gridToImage(source.grid(sheet.cell, sheet.cell), *palette, source);
    };
    auto cellOf = [&](int g, int f) -> std::optional<Image>& {
        return cells[static_cast<std::size_t>(g * sheet.frames + f)];
    };

    for (words = source.next(); !words.empty(); words = source.next()) {
        const std::string& what = words[0];
        if (what == "palette") {
            palette = Palette::read(source);
        } else if (what == "frame") {
            if (words.size() != 3) {
                source.fail("\"frame G F\" names a group and a frame");
            }
            int g = groupArg(words);
            int f = toInteger(words[2], source.where());
            if (f < 0 || f >= sheet.frames) {
                source.fail("frame " + words[2] + " is outside the sheet");
            }
            cellOf(g, f) = readGrid();
        } else if (what == "base") {
            if (words.size() != 2) {
                source.fail("\"base G\" names a group");
            }
            int g = groupArg(words);
            Image img = readGrid();
            for (int f = 0; f < sheet.frames; ++f) {
                cellOf(g, f) = img;
            }
        } else if (what == "crumble") {
            int g = groupArg(words);
            Params p(words, 2, source.where());
            Color crack = p.color("crack");
            p.finish();
            if (!cellOf(g, 0)) {
                source.fail("crumbling starts from frame 0 of the group, which is not drawn yet");
            }
            std::vector<std::string> map = source.grid(sheet.cell, sheet.cell);
            const Image intact = *cellOf(g, 0);
            for (int f = 1; f < sheet.frames; ++f) {
                Image img = intact;
                for (int y = 0; y < sheet.cell; ++y) {
                    for (int x = 0; x < sheet.cell; ++x) {
                        char c = map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                        if (c == '#' || c == '.') {
                            continue;
                        }
                        int gone = frameOfCrumbleChar(c);
                        if (gone < 1 || gone >= sheet.frames) {
                            source.fail(std::string("crumble map: '") + c +
                                        "' is not a frame of this sheet");
                        }
                        if (f >= gone) {
                            img.at(x, y) = {0, 0, 0, 0};
                        } else if (f == gone - 1) {
                            Color base = Color::from(img.at(x, y));
                            img.at(x, y) = base.mix(crack.withAlpha(base.a), crack.a).toRgba();
                        }
                    }
                }
                cellOf(g, f) = img;
            }
        } else if (what == "flame" || what == "glow" || what == "sparkle") {
            int g = groupArg(words);
            for (int f = 0; f < sheet.frames; ++f) {
                if (!cellOf(g, f)) {
                    source.fail("\"" + what + "\" draws over a group that is not drawn yet");
                }
                Params p(words, 2, source.where());
                if (what == "flame") {
                    drawFlame(*cellOf(g, f), p, f, sheet.frames);
                } else if (what == "glow") {
                    drawGlow(*cellOf(g, f), p, f, sheet.frames);
                } else {
                    drawSparkle(*cellOf(g, f), p, f, sheet.frames);
                }
            }
        } else {
            source.fail("unknown line \"" + what + "\"");
        }
    }
    for (int g = 0; g < sheet.groups; ++g) {
        for (int f = 0; f < sheet.frames; ++f) {
            if (!cellOf(g, f)) {
                source.fail("frame " + std::to_string(f) + " of group " + std::to_string(g) +
                            " is never drawn");
            }
            sheet.cells.push_back(*cellOf(g, f));
        }
    }
    return sheet;
}

}  // namespace glint::content
