// Drawing every widget state into its band, with labels rendered by FreeType.
#include "Widgets.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>

#include "Draw.h"
#include "PictureFiles.h"
#include "SourceText.h"
#include "Typeface.h"

namespace glint::content {

namespace {

// Named colours of the recipe's "style" lines.
class Style {
public:
    void add(Params& p, const std::vector<std::string>& names) {
        for (const std::string& n : names) {
            if (p.has(n)) {
                colors_[n] = p.color(n);
            }
        }
    }
    Color operator()(const std::string& name) const {
        auto it = colors_.find(name);
        if (it == colors_.end()) {
            throw SourceError("the style has no colour \"" + name + "\"");
        }
        return it->second;
    }

private:
    std::map<std::string, Color> colors_;
};

const std::vector<std::string> kStyleNames = {
    "face_top", "face_bottom", "hover_top", "hover_bottom",    "press_top",   "press_bottom",
    "rim",      "rim_hover",   "label",     "label_hover",     "label_press", "shadow",
    "field",    "field_focus", "field_rim", "field_rim_focus", "waiting",     "mark",
    "icon",     "glow",        "logo_ink",  "logo_accent"};

// The rectangle of band k (0 = bottom) of a picture of n bands, in rows from the top.
Rect bandRect(int width, int height, int n, int k) {
    const float h = static_cast<float>(height) / static_cast<float>(n);
    return {0.0f, static_cast<float>(height) - h * static_cast<float>(k + 1),
            static_cast<float>(width), static_cast<float>(height) - h * static_cast<float>(k)};
}

struct Fonts {
    std::string dir;
    std::map<std::string, std::unique_ptr<Typeface>> faces;

    const Typeface& get(const std::string& file) {
        auto& f = faces[file];
        if (!f) {
            f = std::make_unique<Typeface>(dir + "/" + file);
        }
        return *f;
    }
};

// A label centred on (cx, cy), shrunk until it fits maxWidth, with a soft dark shadow.
void drawLabel(Image& img, const Typeface& face, const std::string& text, int pixelSize, float cx,
               float cy, float maxWidth, const Color& color, const Color& shadow) {
    Typeface::Line line = face.line(text, pixelSize);
    while (line.coverage.width > maxWidth && pixelSize > 8) {
        line = face.line(text, --pixelSize);
    }
    // Centre the capital height, not the full line box, so labels sit visually centred.
    const float capHeight = static_cast<float>(pixelSize) * 0.73f;
    const int x = static_cast<int>(std::lround(cx - static_cast<float>(line.coverage.width) / 2));
    const int baseline = static_cast<int>(std::lround(cy + capHeight / 2));
    const int y = baseline - line.ascent;
    Coverage soft = blurred(line.coverage, 2);
    paintCoverage(img, soft, x - 2 + 1, y - 2 + 1, shadow);
    paintCoverage(img, line.coverage, x, y, color);
}

void drawIcon(Image& img, const std::string& icon, const Rect& r, const Color& color,
              const Color& shadow) {
    const float cx = (r.x0 + r.x1) / 2, cy = (r.y0 + r.y1) / 2;
    const float s = std::min(r.width(), r.height()) * 0.5f;
    for (int pass = 0; pass < 2; ++pass) {
        const float o = pass == 0 ? 1.0f : 0.0f;
        Paint paint = solid(pass == 0 ? shadow : color);
        if (icon == "up" || icon == "down") {
            const float d = icon == "up" ? -1.0f : 1.0f;
            fillPolygon(img,
                        {{cx - s * 0.55f + o, cy - d * s * 0.3f + o},
                         {cx + s * 0.55f + o, cy - d * s * 0.3f + o},
                         {cx + o, cy + d * s * 0.4f + o}},
                        paint);
        } else if (icon == "minimize") {
            fillRoundedRect(
                img,
                {cx - s * 0.45f + o, cy + s * 0.15f + o, cx + s * 0.45f + o, cy + s * 0.35f + o},
                1.0f, paint);
        } else if (icon == "fullscreen") {
            strokeRoundedRect(
                img,
                {cx - s * 0.45f + o, cy - s * 0.35f + o, cx + s * 0.45f + o, cy + s * 0.35f + o},
                1.5f, 2.0f, paint);
            fillRoundedRect(
                img,
                {cx - s * 0.45f + o, cy - s * 0.35f + o, cx + s * 0.45f + o, cy - s * 0.2f + o},
                1.0f, paint);
        } else {
            throw SourceError("unknown icon \"" + icon + "\"");
        }
    }
}

// Buttons: normal, hover (lighter, glowing rim), pressed (darker, label one pixel lower).
void drawButton(Image& img, int n, Params& p, const Style& st, Fonts& fonts) {
    const std::string label = p.text("label", "");
    const std::string icon = p.text("icon", "");
    const std::string fontFile = p.text("font", "DejaVuSans-Bold.ttf");
    const float sizeShare = p.number("text", 0.46f);
    const float margin = p.number("margin", 3.0f);
    for (int k = 0; k < n; ++k) {
        const Rect band = bandRect(img.width(), img.height(), n, k);
        Rect r = band.inset(margin);
        const float radius = std::min(r.height() * 0.32f, 12.0f);
        const bool hover = k == 1, pressed = k == 2;
        // A soft drop shadow under the raised states.
        if (!pressed) {
            fillRoundedRect(img, r.shifted(0, 1.0f), radius, solid(st("shadow")));
        } else {
            r = r.shifted(0, 0.8f);
        }
        const Color top = st(pressed ? "press_top" : hover ? "hover_top" : "face_top");
        const Color bottom = st(pressed ? "press_bottom" : hover ? "hover_bottom" : "face_bottom");
        fillRoundedRect(img, r, radius, verticalGradient(r, top, bottom));
        // Gloss on the upper half: light from above.
        Rect gloss{r.x0 + 2, r.y0 + 2, r.x1 - 2, r.y0 + r.height() * 0.45f};
        fillRoundedRect(img, gloss, std::max(1.0f, radius - 2),
                        verticalGradient(gloss, Color{1, 1, 1, pressed ? 0.05f : 0.22f},
                                         Color{1, 1, 1, 0.02f}));
        strokeRoundedRect(img, r, radius, hover ? 2.0f : 1.5f,
                          solid(st(hover ? "rim_hover" : "rim")));
        const float cy = (r.y0 + r.y1) / 2 + (pressed ? 0.6f : 0.0f);
        const Color ink = st(pressed ? "label_press" : hover ? "label_hover" : "label");
        if (!icon.empty()) {
            drawIcon(img, icon, r.shifted(0, pressed ? 0.6f : 0.0f), ink, st("shadow"));
        }
        if (!label.empty()) {
            const int px = static_cast<int>(std::lround(r.height() * sizeShare));
            drawLabel(img, fonts.get(fontFile), label, px, (r.x0 + r.x1) / 2, cy, r.width() - 14.0f,
                      ink, st("shadow"));
        }
    }
}

// Check box and radio button: off, off hovered, on, on hovered.
void drawToggle(Image& img, bool round, Params& p, const Style& st) {
    const float boxShare = p.number("box", 0.72f);
    for (int k = 0; k < 4; ++k) {
        const Rect band = bandRect(img.width(), img.height(), 4, k);
        const bool hover = k == 1 || k == 3, on = k >= 2;
        const float cx = (band.x0 + band.x1) / 2, cy = (band.y0 + band.y1) / 2;
        const float half = std::min(band.width(), band.height()) * boxShare / 2;
        Rect box{cx - half, cy - half, cx + half, cy + half};
        if (hover) {
            if (round) {
                fillCircle(img, cx, cy, half + 1.5f, solid(st("glow")));
            } else {
                fillRoundedRect(img, box.inset(-1.5f), 5.5f, solid(st("glow")));
            }
        }
        Paint field = verticalGradient(box, st("face_top"), st("face_bottom"));
        Paint rim = solid(st(hover ? "rim_hover" : "rim"));
        if (round) {
            fillCircle(img, cx, cy + 1, half, solid(st("shadow")));
            fillCircle(img, cx, cy, half, field);
            strokeCircle(img, cx, cy, half, 1.6f, rim);
            if (on) {
                fillCircle(img, cx, cy, half * 0.45f, solid(st("mark")));
                fillCircle(img, cx - half * 0.12f, cy - half * 0.14f, half * 0.16f,
                           solid(Color{1, 1, 1, 0.6f}));
            }
        } else {
            fillRoundedRect(img, box.shifted(0, 1), 4.0f, solid(st("shadow")));
            fillRoundedRect(img, box, 4.0f, field);
            strokeRoundedRect(img, box, 4.0f, 1.6f, rim);
            if (on) {
                const float s = half;
                strokeLine(img, {cx - s * 0.5f, cy + s * 0.02f}, {cx - s * 0.12f, cy + s * 0.42f},
                           s * 0.32f, solid(st("mark")));
                strokeLine(img, {cx - s * 0.12f, cy + s * 0.42f}, {cx + s * 0.55f, cy - s * 0.48f},
                           s * 0.32f, solid(st("mark")));
            }
        }
    }
}

// Edit boxes (unfocused, focused) and the key reader (idle, waiting): a light field for the
// black text the game writes into it, with a small symbol in the room left of the text.
void drawField(Image& img, bool keyReader, Params& p, const Style& st, Fonts& fonts) {
    const std::string symbol = p.text("symbol", "");
    const float margin = p.number("margin", 3.5f);
    // The game writes the text low in the box, its capitals reaching the box's top: the field
    // may start higher than the other margins so that they stay inside it.
    const float marginTop = p.number("margin_top", margin);
    for (int k = 0; k < 2; ++k) {
        const Rect band = bandRect(img.width(), img.height(), 2, k);
        const bool active = k == 1;
        Rect r = band.inset(margin);
        r.y0 = band.y0 + marginTop;
        const float radius = std::min(6.0f, r.height() * 0.25f);
        if (active) {
            // The glow keeps two clear rows from the band's edge, or the next band bleeds in.
            Rect glow = r.inset(-1.5f);
            glow.y0 = std::max(glow.y0, band.y0 + 2.0f);
            fillRoundedRect(img, glow, radius + 1.5f, solid(st("glow")));
        }
        const Color fieldColor =
            active ? (keyReader ? st("waiting") : st("field_focus")) : st("field");
        fillRoundedRect(
            img, r, radius,
            verticalGradient(r, fieldColor.scaled(0.9f).withAlpha(fieldColor.a), fieldColor));
        // An inset shadow along the top edge makes the field look sunken.
        Rect inner{r.x0 + 1, r.y0 + 1, r.x1 - 1, r.y0 + 4};
        fillRoundedRect(img, inner, 2.0f, solid(Color{0, 0, 0, 0.18f}));
        strokeRoundedRect(img, r, radius, 1.5f,
                          solid(st(active ? "field_rim_focus" : "field_rim")));
        if (!symbol.empty()) {
            const float cy = (r.y0 + r.y1) / 2;
            const int px = static_cast<int>(std::lround(std::min(r.height() * 0.5f, 18.0f)));
            drawLabel(img, fonts.get("DejaVuSans-Bold.ttf"), symbol, px, r.x0 + 14.0f, cy, 20.0f,
                      st("icon"), Color{0, 0, 0, 0});
        }
    }
}

// The maker's mark: a quill over an ink line and the name, in three states like a button.
void drawLogo(Image& img, Params& p, const Style& st, Fonts& fonts) {
    const std::string name = p.text("label");
    const std::string fontFile = p.text("font", "DejaVuSerif-Bold.ttf");
    for (int k = 0; k < 3; ++k) {
        const Rect band = bandRect(img.width(), img.height(), 3, k);
        const bool hover = k == 1, pressed = k == 2;
        const float dy = pressed ? 1.0f : 0.0f;
        const Rect r = band.inset(3.0f).shifted(0, dy);
        const Color ink = pressed ? st("logo_ink").scaled(0.8f) : st("logo_ink");
        const Color accent = st("logo_accent");
        // The quill: a curved vane leaning right, with a dark spine.
        const float qx = r.x0 + r.height() * 0.55f, qy0 = r.y0 + 2, qy1 = r.y1 - 3;
        const float h = qy1 - qy0;
        std::vector<Vec2> vane;
        const int steps = 14;
        for (int i = 0; i <= steps; ++i) {
            const float t = static_cast<float>(i) / steps;
            const float w = std::sin(t * std::numbers::pi_v<float>) * h * 0.16f;
            vane.push_back({qx + t * h * 0.42f - w, qy1 - t * h});
        }
        for (int i = steps; i >= 0; --i) {
            const float t = static_cast<float>(i) / steps;
            const float w = std::sin(t * std::numbers::pi_v<float>) * h * 0.16f;
            vane.push_back({qx + t * h * 0.42f + w * 1.2f, qy1 - t * h});
        }
        // The vane is not convex; fill it as a fan of thin quads along its length.
        for (int i = 0; i < steps; ++i) {
            std::vector<Vec2> quad = {vane[static_cast<std::size_t>(i)],
                                      vane[static_cast<std::size_t>(i + 1)],
                                      vane[static_cast<std::size_t>(2 * steps - i)],
                                      vane[static_cast<std::size_t>(2 * steps + 1 - i)]};
            fillPolygon(img, quad, solid(accent));
        }
        strokeLine(img, {qx - 2, qy1 + 1}, {qx + h * 0.42f, qy0}, 1.3f, solid(ink));
        // The name, in a serif face, with an underline of ink that the quill has just drawn.
        const float textLeft = qx + h * 0.5f + 4;
        Typeface::Line line = fonts.get(fontFile).line(name, static_cast<int>(r.height() * 0.62f));
        const int x = static_cast<int>(std::lround(textLeft));
        const int baseline = static_cast<int>(std::lround(r.y0 + r.height() * 0.72f));
        if (hover) {
            // Lit up: a warm halo behind the name.
            Coverage halo = blurred(line.coverage, 5);
            paintCoverage(img, halo, x - 5, baseline - line.ascent - 5, st("glow"));
            paintCoverage(img, halo, x - 5, baseline - line.ascent - 5, st("glow"));
        }
        Coverage soft = blurred(line.coverage, 2);
        paintCoverage(img, soft, x - 1, baseline - line.ascent - 1, st("shadow"));
        paintCoverage(img, line.coverage, x, baseline - line.ascent,
                      hover ? ink.mix(Color{1, 1, 1, 1}, 0.5f) : ink);
        strokeLine(
            img, {qx - 4, qy1 + 0.5f},
            {std::min(r.x1 - 4, textLeft + static_cast<float>(line.coverage.width)), qy1 + 0.5f},
            1.2f, solid(accent.withAlpha(0.8f)));
    }
}

}  // namespace

bool makeWidgets(const std::string& recipe, const std::string& fontDir, const std::string& outRoot,
                 std::string& error) {
    try {
        SourceFile src(recipe);
        Style style;
        Fonts fonts{fontDir, {}};
        for (auto words = src.next(); !words.empty(); words = src.next()) {
            const std::string& what = words[0];
            if (what == "style") {
                Params p(words, 1, src.where());
                style.add(p, kStyleNames);
                p.finish();
                continue;
            }
            if (words.size() < 2) {
                src.fail("\"" + what + "\" needs a file name");
            }
            const std::string file = words[1];
            Params p(words, 2, src.where());
            const int width = p.integer("width");
            const int height = p.integer("height");
            if (!isPowerOfTwo(width) || !isPowerOfTwo(height)) {
                src.fail(file + ": sizes must be powers of two");
            }
            Image img(width, height);
            if (what == "button") {
                drawButton(img, 3, p, style, fonts);
            } else if (what == "checkbox") {
                drawToggle(img, false, p, style);
            } else if (what == "radio") {
                drawToggle(img, true, p, style);
            } else if (what == "editbox") {
                drawField(img, false, p, style, fonts);
            } else if (what == "keyreader") {
                drawField(img, true, p, style, fonts);
            } else if (what == "logo") {
                drawLogo(img, p, style, fonts);
            } else {
                src.fail("unknown widget kind \"" + what + "\"");
            }
            p.finish();
            if (!writeTga(outRoot + "/" + file, img, 32, error)) {
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
