// A position on the logical screen with a drawing depth.
#pragma once

namespace glint {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3 operator-(const Vec3& other) const { return Vec3{x - other.x, y - other.y, z - other.z}; }
    float squaredLength() const { return x * x + y * y + z * z; }
};

}  // namespace glint
