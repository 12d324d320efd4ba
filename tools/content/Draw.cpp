// Shape filling by signed distances: crisp, antialiased edges at any fractional position.
#include "Draw.h"

#include <algorithm>
#include <cmath>

namespace glint::content {

Paint solid(const Color& c) {
    return [c](float, float) { return c; };
}

Paint verticalGradient(const Rect& rect, const Color& top, const Color& bottom) {
    return [=](float, float y) {
        float t = std::clamp((y - rect.y0) / std::max(1e-3f, rect.height()), 0.0f, 1.0f);
        return top.mix(bottom, t);
    };
}

float roundedBoxDistance(float x, float y, const Rect& r, float radius) {
    const float cx = (r.x0 + r.x1) * 0.5f, cy = (r.y0 + r.y1) * 0.5f;
    const float hx = r.width() * 0.5f - radius, hy = r.height() * 0.5f - radius;
    const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

void fillShape(Image& img, const Rect& bounds, const std::function<float(float, float)>& distance,
               const Paint& paint) {
    const int x0 = std::max(0, static_cast<int>(std::floor(bounds.x0)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(bounds.y0)) - 1);
    const int x1 = std::min(img.width(), static_cast<int>(std::ceil(bounds.x1)) + 1);
    const int y1 = std::min(img.height(), static_cast<int>(std::ceil(bounds.y1)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            const float cover = std::clamp(0.5f - distance(px, py), 0.0f, 1.0f);
            if (cover > 0.0f) {
                Color c = paint(px, py);
                img.blend(x, y, c.withAlpha(c.a * cover));
            }
        }
    }
}

void fillRoundedRect(Image& img, const Rect& r, float radius, const Paint& paint) {
    fillShape(
        img, r, [&](float x, float y) { return roundedBoxDistance(x, y, r, radius); }, paint);
}

void strokeRoundedRect(Image& img, const Rect& r, float radius, float width, const Paint& paint) {
    fillShape(
        img, r,
        [&](float x, float y) {
            const float d = roundedBoxDistance(x, y, r, radius);
            return std::max(d, -d - width);
        },
        paint);
}

void fillCircle(Image& img, float cx, float cy, float radius, const Paint& paint) {
    Rect b{cx - radius, cy - radius, cx + radius, cy + radius};
    fillShape(
        img, b, [&](float x, float y) { return std::hypot(x - cx, y - cy) - radius; }, paint);
}

void strokeCircle(Image& img, float cx, float cy, float radius, float width, const Paint& paint) {
    Rect b{cx - radius, cy - radius, cx + radius, cy + radius};
    fillShape(
        img, b,
        [&](float x, float y) {
            const float d = std::hypot(x - cx, y - cy) - radius;
            return std::max(d, -d - width);
        },
        paint);
}

void fillPolygon(Image& img, const std::vector<Vec2>& pts, const Paint& paint) {
    Rect b{1e9f, 1e9f, -1e9f, -1e9f};
    for (Vec2 p : pts) {
        b.x0 = std::min(b.x0, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.x1 = std::max(b.x1, p.x);
        b.y1 = std::max(b.y1, p.y);
    }
    // Signed area tells the winding, so that "inside" is the same side of every edge.
    float area = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        Vec2 a = pts[i], c = pts[(i + 1) % pts.size()];
        area += a.x * c.y - c.x * a.y;
    }
    const float sign = area >= 0 ? 1.0f : -1.0f;
    fillShape(
        img, b,
        [&](float x, float y) {
            float d = -1e9f;
            for (std::size_t i = 0; i < pts.size(); ++i) {
                Vec2 a = pts[i], c = pts[(i + 1) % pts.size()];
                float ex = c.x - a.x, ey = c.y - a.y;
                float len = std::hypot(ex, ey);
                if (len <= 0) {
                    continue;
                }
                // Distance outward from this edge's line.
                float side = -sign * (ex * (y - a.y) - ey * (x - a.x)) / len;
                d = std::max(d, side);
            }
            return d;
        },
        paint);
}

void strokeLine(Image& img, Vec2 a, Vec2 b, float thickness, const Paint& paint) {
    const float r = thickness * 0.5f;
    Rect bounds{std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r,
                std::max(a.y, b.y) + r};
    fillShape(
        img, bounds,
        [&](float x, float y) {
            const float vx = b.x - a.x, vy = b.y - a.y;
            const float len2 = vx * vx + vy * vy;
            float t = len2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            return std::hypot(x - (a.x + t * vx), y - (a.y + t * vy)) - r;
        },
        paint);
}

}  // namespace glint::content
