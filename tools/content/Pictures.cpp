// Procedural backgrounds drawn at screen proportions, then scaled to power-of-two pictures.
#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

#include "Draw.h"
#include "PictureFiles.h"
#include "SourceText.h"
#include "Typeface.h"

namespace glint::content {

namespace {

float noise2(int seed, int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(seed) * 0x27d4eb2du ^
                      static_cast<std::uint32_t>(x) * 0x165667b1u ^
                      static_cast<std::uint32_t>(y) * 0x9E3779B1u;
    h ^= h >> 15;
    h *= 0x85EBCA77u;
    h ^= h >> 13;
    h *= 0xC2B2AE3Du;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / static_cast<float>(0xffffff);
}

// Smooth value noise in 0..1 over a lattice of `cell` pixels.
float smoothNoise(int seed, float x, float y, float cell) {
    const float fx = x / cell, fy = y / cell;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = fx - static_cast<float>(ix), ty = fy - static_cast<float>(iy);
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = noise2(seed, ix, iy), b = noise2(seed, ix + 1, iy);
    const float c = noise2(seed, ix, iy + 1), d = noise2(seed, ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

void fillWith(Image& img, const Paint& paint) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            img.at(x, y) =
                paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f).toRgba();
        }
    }
}

// A four-pointed glint with a soft halo.
void drawGlint(Image& img, float cx, float cy, float size, const Color& color) {
    fillCircle(img, cx, cy, size * 1.6f, solid(color.withAlpha(color.a * 0.12f)));
    fillCircle(img, cx, cy, size * 0.8f, solid(color.withAlpha(color.a * 0.25f)));
    fillPolygon(img,
                {{cx - size * 2.2f, cy},
                 {cx, cy - size * 0.22f},
                 {cx + size * 2.2f, cy},
                 {cx, cy + size * 0.22f}},
                solid(color));
    fillPolygon(img,
                {{cx, cy - size * 2.2f},
                 {cx + size * 0.22f, cy},
                 {cx, cy + size * 2.2f},
                 {cx - size * 0.22f, cy}},
                solid(color));
    fillCircle(img, cx, cy, size * 0.35f, solid(Color{1, 1, 1, color.a}));
}

// A wall of bricks in courses, each brick with its own shade; mortar in between.
void drawBrickWall(Image& img, const Rect& area, float brickW, float brickH, const Color& brick,
                   const Color& mortar, float variation, int seed) {
    const float mortarW = std::max(1.5f, brickH * 0.12f);
    fillRoundedRect(img, area, 0.0f, solid(mortar));
    int row = 0;
    for (float y = area.y0; y < area.y1; y += brickH, ++row) {
        const float offset = (row % 2) * brickW * 0.5f;
        int col = 0;
        for (float x = area.x0 - offset; x < area.x1; x += brickW, ++col) {
            Rect b{std::max(area.x0, x + mortarW / 2), std::max(area.y0, y + mortarW / 2),
                   std::min(area.x1, x + brickW - mortarW / 2),
                   std::min(area.y1, y + brickH - mortarW / 2)};
            if (b.width() <= 0 || b.height() <= 0) {
                continue;
            }
            const float shade = 1.0f + variation * (noise2(seed, col, row) - 0.5f) * 2.0f;
            const Color base = brick.scaled(shade);
            fillRoundedRect(img, b, mortarW * 0.6f,
                            verticalGradient(b, base.scaled(1.12f), base.scaled(0.86f)));
        }
    }
}

struct Fonts {
    std::string dir;
    std::unique_ptr<Typeface> sans;
    std::unique_ptr<Typeface> serif;
    const Typeface& get(const std::string& which) {
        auto& f = which == "serif" ? serif : sans;
        if (!f) {
            f = std::make_unique<Typeface>(
                dir + "/" + (which == "serif" ? "DejaVuSerif-Bold.ttf" : "DejaVuSans-Bold.ttf"));
        }
        return *f;
    }
};

// Text centred on cx, its baseline at `baseline`, filled with a vertical gradient, with a dark
// rim and a coloured glow behind it.
void drawTitle(Image& img, const Typeface& face, const std::string& text, int px, float cx,
               float baseline, const Color& top, const Color& bottom, const Color& rim,
               const Color& glow) {
    Typeface::Line line = face.line(text, px);
    const int x = static_cast<int>(std::lround(cx - static_cast<float>(line.coverage.width) / 2));
    const int y = static_cast<int>(std::lround(baseline)) - line.ascent;
    if (glow.a > 0) {
        const int r = std::max(4, px / 5);
        paintCoverage(img, blurred(line.coverage, r), x - r, y - r, glow);
    }
    if (rim.a > 0) {
        const int r = std::max(1, px / 24);
        Coverage thick = blurred(line.coverage, r);
        for (float& v : thick.values) {
            v = std::min(1.0f, v * 3.0f);
        }
        paintCoverage(img, thick, x - r + r / 2 + 1, y - r + r / 2 + 1, rim);
    }
    const float y0 = static_cast<float>(y), y1 = static_cast<float>(y + line.coverage.height);
    for (int yy = 0; yy < line.coverage.height; ++yy) {
        const float t = std::clamp((static_cast<float>(y + yy) - y0) / (y1 - y0), 0.0f, 1.0f);
        const Color c = top.mix(bottom, t);
        for (int xx = 0; xx < line.coverage.width; ++xx) {
            const float a = line.coverage.at(xx, yy);
            if (a > 0) {
                img.blend(x + xx, y + yy, c.withAlpha(c.a * a));
            }
        }
    }
}

// Dialog panels: a calm field for yellow text, brighter in the middle, with a thin gilt frame.
// The design is the same upside down, because dialogs stretch it over rectangles of every shape
// and some drawing code maps it bottom row first.
Image drawPanel(Params& p, int width, int height) {
    const Color centre = p.color("centre");
    const Color edge = p.color("edge");
    const Color rim = p.color("rim");
    const Color pattern = p.color("pattern");
    const int seed = p.integer("seed", 7);
    Image img(width, height);
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    fillWith(img, [&](float x, float y) {
        const float dx = (x - w / 2) / (w / 2), dy = (y - h / 2) / (h / 2);
        const float d = std::clamp(std::sqrt(dx * dx * 0.7f + dy * dy * 0.7f), 0.0f, 1.0f);
        Color c = centre.mix(edge, d * d);
        // A faint woven texture: two diagonal families of fine lines and a little grain.
        const float weave =
            0.5f + 0.25f * std::sin((x + y) * 0.35f) + 0.25f * std::sin((x - y) * 0.35f);
        c = c.mix(pattern, pattern.a * weave * 0.5f);
        const float grain = (smoothNoise(seed, x, y, 3.0f) - 0.5f) * 0.05f;
        return Color{c.r + grain, c.g + grain, c.b + grain, 1.0f};
    });
    const float border = std::max(3.0f, std::min(w, h) * 0.012f);
    strokeRoundedRect(img, {0, 0, w, h}, 0.0f, border, solid(edge.scaled(0.55f)));
    strokeRoundedRect(img, Rect{0, 0, w, h}.inset(border * 1.4f), border * 0.8f, border * 0.45f,
                      solid(rim));
    strokeRoundedRect(img, Rect{0, 0, w, h}.inset(border * 1.4f + border * 0.45f), border * 0.5f,
                      1.0f, solid(Color{0, 0, 0, 0.35f}));
    return img;
}

// The menu background, drawn for the 800 x 600 screen: a treasure vault's wall in the dark,
// lit from the centre, gold glints scattered over it. Nothing in it has an up or down.
Image drawMenu(Params& p, int scale) {
    const Color brick = p.color("brick");
    const Color mortar = p.color("mortar");
    const Color light = p.color("light");
    const Color glint = p.color("glint");
    const int seed = p.integer("seed", 3);
    const int glints = p.integer("glints", 18);
    const int W = 800 * scale, H = 600 * scale;
    const float s = static_cast<float>(scale);
    Image img(W, H);
    drawBrickWall(img, {0, 0, static_cast<float>(W), static_cast<float>(H)}, 64 * s, 30 * s, brick,
                  mortar, 0.14f, seed);
    // Light falls off from the centre of the screen.
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const float dx = (static_cast<float>(x) - W / 2.0f) / (W / 2.0f);
            const float dy = (static_cast<float>(y) - H / 2.0f) / (H / 2.0f);
            const float d = std::sqrt(dx * dx + dy * dy);
            const float lit = std::clamp(1.15f - d * 0.85f, 0.12f, 1.0f);
            Color c = Color::from(img.at(x, y)).scaled(lit);
            c = c.mix(light, light.a * std::max(0.0f, 1.0f - d * 1.2f));
            img.at(x, y) = c.withAlpha(1).toRgba();
        }
    }
    for (int i = 0; i < glints; ++i) {
        const float gx = (0.04f + 0.92f * noise2(seed, i, 101)) * W;
        const float gy = (0.04f + 0.92f * noise2(seed, i, 202)) * H;
        const float size = (1.5f + 3.0f * noise2(seed, i, 303)) * s;
        drawGlint(img, gx, gy, size,
                  glint.withAlpha(glint.a * (0.5f + 0.5f * noise2(seed, i, 404))));
    }
    return img;
}

// The intro picture, drawn for the 800 x 600 screen and shown upright: a night sky over a
// brick floor with a ladder and a rope, gold glints, and the title.
Image drawIntro(Params& p, Fonts& fonts, int scale) {
    const Color skyTop = p.color("sky_top");
    const Color skyBottom = p.color("sky_bottom");
    const Color brick = p.color("brick");
    const Color mortar = p.color("mortar");
    const Color wood = p.color("wood");
    const Color glint = p.color("glint");
    const Color titleTop = p.color("title_top");
    const Color titleBottom = p.color("title_bottom");
    const std::string title = p.text("title");
    const std::string subtitle = p.text("subtitle");
    const std::string credit = p.text("credit");
    const int seed = p.integer("seed", 5);
    const int W = 800 * scale, H = 600 * scale;
    const float s = static_cast<float>(scale);
    Image img(W, H);
    fillWith(img, verticalGradient({0, 0, static_cast<float>(W), static_cast<float>(H)}, skyTop,
                                   skyBottom));
    // Stars, thinning towards the horizon.
    for (int i = 0; i < 160; ++i) {
        const float x = noise2(seed, i, 1) * W;
        const float y = std::pow(noise2(seed, i, 2), 1.6f) * H * 0.7f;
        const float b = 0.3f + 0.7f * noise2(seed, i, 3);
        fillCircle(img, x, y, (0.6f + noise2(seed, i, 4)) * s,
                   solid(Color{0.9f, 0.92f, 1.0f, b * 0.8f}));
    }
    // Platforms: a floor of bricks and a ledge on the right, joined by a ladder; a rope.
    const float floorY = 500 * s;
    drawBrickWall(img, {0, floorY, static_cast<float>(W), static_cast<float>(H)}, 50 * s, 25 * s,
                  brick, mortar, 0.12f, seed);
    const Rect ledge{525 * s, 375 * s, 800 * s, 400 * s};
    drawBrickWall(img, ledge, 50 * s, 25 * s, brick, mortar, 0.12f, seed + 1);
    const Rect leftLedge{0, 350 * s, 200 * s, 375 * s};
    drawBrickWall(img, leftLedge, 50 * s, 25 * s, brick, mortar, 0.12f, seed + 2);
    const float lx0 = 590 * s, lx1 = 620 * s;
    for (float x : {lx0, lx1}) {
        fillRoundedRect(
            img, {x - 3 * s, 375 * s, x + 3 * s, floorY}, 2 * s,
            verticalGradient({0, 375 * s, 1, floorY}, wood.scaled(1.1f), wood.scaled(0.8f)));
    }
    for (float y = 385 * s; y < floorY; y += 25 * s) {
        fillRoundedRect(img, {lx0, y, lx1, y + 4 * s}, 1.5f * s, solid(wood.scaled(0.95f)));
    }
    // A rope from the left ledge across to the ladder, sagging a little.
    for (int i = 0; i < 200; ++i) {
        const float t = static_cast<float>(i) / 199.0f;
        const float x = 200 * s + t * (lx0 - 200 * s);
        const float y = 362 * s + std::sin(t * std::numbers::pi_v<float>) * 6 * s;
        fillCircle(img, x, y, 2.0f * s, solid(wood.scaled(1.25f)));
    }
    // Gold pieces glinting on the platforms.
    for (auto [gx, gy] : {std::pair{110.0f, 332.0f},
                          {680.0f, 357.0f},
                          {300.0f, 482.0f},
                          {455.0f, 482.0f},
                          {740.0f, 357.0f}}) {
        fillRoundedRect(img, {(gx - 9) * s, (gy - 7) * s, (gx + 9) * s, (gy + 9) * s}, 3 * s,
                        verticalGradient({0, (gy - 7) * s, 1, (gy + 9) * s},
                                         Color{1.0f, 0.9f, 0.4f, 1}, Color{0.8f, 0.5f, 0.1f, 1}));
        drawGlint(img, (gx + 6) * s, (gy - 6) * s, 2.5f * s, glint);
    }
    for (int i = 0; i < 24; ++i) {
        const float x = noise2(seed, i, 11) * W;
        const float y = (0.1f + 0.5f * noise2(seed, i, 12)) * H;
        drawGlint(img, x, y, (1.0f + 1.5f * noise2(seed, i, 13)) * s,
                  glint.withAlpha(0.35f + 0.4f * noise2(seed, i, 14)));
    }
    drawTitle(img, fonts.get("sans"), title, static_cast<int>(86 * s), W / 2.0f, 230 * s, titleTop,
              titleBottom, Color{0.08f, 0.04f, 0.0f, 1.0f}, Color{1.0f, 0.7f, 0.2f, 0.45f});
    drawTitle(img, fonts.get("serif"), subtitle, static_cast<int>(28 * s), W / 2.0f, 290 * s,
              Color{0.85f, 0.88f, 1.0f, 1}, Color{0.7f, 0.75f, 0.95f, 1}, Color{0, 0, 0, 0.8f},
              Color{0, 0, 0, 0});
    drawTitle(img, fonts.get("sans"), credit, static_cast<int>(16 * s), W / 2.0f, 585 * s,
              Color{0.9f, 0.85f, 0.7f, 0.9f}, Color{0.9f, 0.85f, 0.7f, 0.9f}, Color{0, 0, 0, 0.9f},
              Color{0, 0, 0, 0});
    return img;
}

}  // namespace

Image resampled(const Image& src, int width, int height) {
    Image out(width, height);
    const float sx = static_cast<float>(src.width()) / static_cast<float>(width);
    const float sy = static_cast<float>(src.height()) / static_cast<float>(height);
    const int nx = std::max(1, static_cast<int>(std::ceil(sx))) * 2;
    const int ny = std::max(1, static_cast<int>(std::ceil(sy))) * 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Color sum{0, 0, 0, 0};
            for (int j = 0; j < ny; ++j) {
                for (int i = 0; i < nx; ++i) {
                    const float px =
                        (static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / nx) * sx;
                    const float py =
                        (static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / ny) * sy;
                    Color c = src.sample(px, py);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
                }
            }
            const float n = static_cast<float>(nx * ny);
            out.at(x, y) = Color{sum.r / n, sum.g / n, sum.b / n, sum.a / n}.toRgba();
        }
    }
    return out;
}

bool makePictures(const std::string& recipe, const std::string& fontDir, const std::string& outRoot,
                  std::string& error) {
    try {
        SourceFile src(recipe);
        Fonts fonts{fontDir, nullptr, nullptr};
        for (auto words = src.next(); !words.empty(); words = src.next()) {
            if (words.size() < 2) {
                src.fail("\"" + words[0] + "\" needs a file name");
            }
            const std::string& what = words[0];
            const std::string file = words[1];
            Params p(words, 2, src.where());
            const int width = p.integer("width");
            const int height = p.integer("height");
            const bool mirror = p.integer("mirror", 0) != 0;
            const int quality = p.integer("quality", 90);
            if (!isPowerOfTwo(width) || !isPowerOfTwo(height)) {
                src.fail(file + ": sizes must be powers of two");
            }
            Image img;
            if (what == "panel") {
                img = drawPanel(p, width, height);
            } else if (what == "menu") {
                img = resampled(drawMenu(p, 2), width, height);
            } else if (what == "intro") {
                img = resampled(drawIntro(p, fonts, 2), width, height);
            } else {
                src.fail("unknown picture kind \"" + what + "\"");
            }
            p.finish();
            if (mirror) {
                img = img.flippedVertically();
            }
            if (!writeJpeg(outRoot + "/" + file, img, quality, error)) {
                return false;
            }
        }
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

}  // namespace glint::content
