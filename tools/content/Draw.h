// Smooth shapes for interface pictures: rounded boxes, rings, discs, polygons, gradients.
#pragma once

#include <functional>
#include <vector>

#include "Image.h"

namespace glint::content {

struct Rect {
    float x0 = 0;
    float y0 = 0;
    float x1 = 0;
    float y1 = 0;

    float width() const { return x1 - x0; }
    float height() const { return y1 - y0; }
    Rect inset(float d) const { return {x0 + d, y0 + d, x1 - d, y1 - d}; }
    Rect shifted(float dx, float dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
};

struct Vec2 {
    float x = 0;
    float y = 0;
};

// A colour for each pixel centre: lets fills carry gradients and patterns.
using Paint = std::function<Color(float x, float y)>;

Paint solid(const Color& c);
// From `top` at rect.y0 to `bottom` at rect.y1.
Paint verticalGradient(const Rect& rect, const Color& top, const Color& bottom);

// Signed distance from a point to a rounded box (negative inside).
float roundedBoxDistance(float x, float y, const Rect& r, float radius);

// Fills the shape whose signed distance is given, antialiased over one pixel.
void fillShape(Image& img, const Rect& bounds, const std::function<float(float, float)>& distance,
               const Paint& paint);

void fillRoundedRect(Image& img, const Rect& r, float radius, const Paint& paint);
// A band of `width` pixels just inside the rounded rectangle's edge.
void strokeRoundedRect(Image& img, const Rect& r, float radius, float width, const Paint& paint);
void fillCircle(Image& img, float cx, float cy, float radius, const Paint& paint);
void strokeCircle(Image& img, float cx, float cy, float radius, float width, const Paint& paint);
// A convex polygon, points in either winding.
void fillPolygon(Image& img, const std::vector<Vec2>& points, const Paint& paint);
// A line of the given thickness with round ends.
void strokeLine(Image& img, Vec2 a, Vec2 b, float thickness, const Paint& paint);

}  // namespace glint::content
