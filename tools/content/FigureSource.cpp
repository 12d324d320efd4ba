// Drawing the figure: limbs as thick segments with a dark outline, heads from pixel art.
#include "FigureSource.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

#include "PixelArt.h"
#include "SourceText.h"

namespace glint::content {

namespace {

struct Point {
    float x = 0;
    float y = 0;
};

// One frame's skeleton. Shoulders and hip joints default to the neck and the hip.
struct Pose {
    std::map<std::string, Point> joints;

    Point get(const std::string& name, const SourceFile& src) const {
        auto it = joints.find(name);
        if (it == joints.end()) {
            src.fail("the pose has no \"" + name + "\"");
        }
        return it->second;
    }
    Point getOr(const std::string& name, const std::string& fallback, const SourceFile& src) const {
        auto it = joints.find(name);
        return it != joints.end() ? it->second : get(fallback, src);
    }
};

const std::array<const char*, 15> kJointNames = {
    "head",   "neck",  "hip",    "shoulder_f", "elbow_f", "hand_f", "shoulder_b", "elbow_b",
    "hand_b", "hip_f", "knee_f", "foot_f",     "hip_b",   "knee_b", "foot_b"};

float segmentDistance(Point p, Point a, Point b) {
    const float vx = b.x - a.x, vy = b.y - a.y;
    const float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

// A mask of the pixels whose centres lie within `radius` of the polyline.
std::vector<bool> capsuleMask(int size, const std::vector<Point>& line, float radius) {
    std::vector<bool> mask(static_cast<std::size_t>(size * size), false);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Point p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
            for (std::size_t i = 0; i + 1 < line.size(); ++i) {
                if (segmentDistance(p, line[i], line[i + 1]) <= radius) {
                    mask[static_cast<std::size_t>(y * size + x)] = true;
                    break;
                }
            }
        }
    }
    return mask;
}

class FigureCanvas {
public:
    FigureCanvas(int size, Rgba outline) : size_(size), outline_(outline), image_(size, size) {}

    // Paints a part; a part in front gets a dark rim where it overlaps earlier parts, so that
    // an arm across the body still reads as an arm.
    void part(const std::vector<bool>& mask, Rgba color, bool rimOverOthers) {
        if (rimOverOthers) {
            for (int y = 0; y < size_; ++y) {
                for (int x = 0; x < size_; ++x) {
                    if (!in(mask, x, y) && image_.at(x, y).a != 0 && touches(mask, x, y)) {
                        image_.at(x, y) = outline_;
                    }
                }
            }
        }
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                if (in(mask, x, y)) {
                    image_.at(x, y) = color;
                }
            }
        }
    }

    void picture(const Image& img, int left, int top) {
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if (img.at(x, y).a != 0 && image_.contains(left + x, top + y)) {
                    image_.at(left + x, top + y) = img.at(x, y);
                }
            }
        }
    }

    // The silhouette outline: every clear pixel beside a painted one.
    Image finish() const {
        Image out = image_;
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                if (image_.at(x, y).a != 0) {
                    continue;
                }
                bool near = false;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    if (image_.contains(x + dx, y + dy) && image_.at(x + dx, y + dy).a != 0) {
                        near = true;
                    }
                }
                if (near) {
                    out.at(x, y) = outline_;
                }
            }
        }
        return out;
    }

private:
    bool in(const std::vector<bool>& mask, int x, int y) const {
        return x >= 0 && y >= 0 && x < size_ && y < size_ &&
               mask[static_cast<std::size_t>(y * size_ + x)];
    }
    bool touches(const std::vector<bool>& mask, int x, int y) const {
        return in(mask, x + 1, y) || in(mask, x - 1, y) || in(mask, x, y + 1) || in(mask, x, y - 1);
    }

    int size_;
    Rgba outline_;
    Image image_;
};

struct BodyStyle {
    float torso = 2.8f;
    float arm = 1.3f;
    float leg = 1.5f;
    float hand = 1.3f;
    std::map<std::string, char> colors;  // part key -> palette character
};

Point parsePoint(const std::string& text, const SourceFile& src) {
    auto comma = text.find(',');
    if (comma == std::string::npos) {
        src.fail("\"" + text + "\" is not a point X,Y");
    }
    return {toNumber(text.substr(0, comma), src.where()),
            toNumber(text.substr(comma + 1), src.where())};
}

Image drawPose(const Pose& pose, const std::string& view, int size, const BodyStyle& style,
               const Palette& palette, const std::map<std::string, Image>& heads,
               const SourceFile& src) {
    auto color = [&](const std::string& key) {
        auto it = style.colors.find(key);
        if (it == style.colors.end() || !palette.has(it->second)) {
            src.fail("\"body\" gives no palette colour for \"" + key + "\"");
        }
        return palette(it->second);
    };
    FigureCanvas canvas(size, color("outline"));
    const Point neck = pose.get("neck", src);
    const Point hip = pose.get("hip", src);

    auto arm = [&](char side, bool front) {
        std::string s(1, side);
        Point shoulder = pose.getOr("shoulder_" + s, "neck", src);
        Point elbow = pose.get("elbow_" + s, src);
        Point hand = pose.get("hand_" + s, src);
        canvas.part(capsuleMask(size, {shoulder, elbow, hand}, style.arm),
                    color(side == 'f' ? "sleeve_front" : "sleeve_back"), front);
        canvas.part(capsuleMask(size, {hand, hand}, style.hand), color("hand"), false);
    };
    auto leg = [&](char side, bool front) {
        std::string s(1, side);
        Point top = pose.getOr("hip_" + s, "hip", src);
        Point knee = pose.get("knee_" + s, src);
        Point foot = pose.get("foot_" + s, src);
        canvas.part(capsuleMask(size, {top, knee, foot}, style.leg),
                    color(side == 'f' ? "leg_front" : "leg_back"), front);
        // Boots point the way the figure faces; seen from the front or back they are stubs.
        Point toe = foot;
        if (view == "right") {
            toe.x += 1.6f;
        }
        canvas.part(capsuleMask(size, {foot, toe}, style.leg), color("boot"), false);
    };
    auto torso = [&]() {
        // The jacket down to a belt where the legs begin; below the belt, trousers.
        const std::vector<bool> body = capsuleMask(size, {neck, hip}, style.torso);
        auto band = [&](float from, float to) {
            std::vector<bool> part = body;
            for (int y = 0; y < size; ++y) {
                const float fy = static_cast<float>(y) + 0.5f;
                for (int x = 0; x < size; ++x) {
                    if (fy < from || fy >= to) {
                        part[static_cast<std::size_t>(y * size + x)] = false;
                    }
                }
            }
            return part;
        };
        const float belt = hip.y - 1.5f;
        canvas.part(band(-1.0f, belt), color("torso"), false);
        canvas.part(band(belt, belt + 1.0f), color("belt"), false);
        canvas.part(band(belt + 1.0f, static_cast<float>(size) + 1.0f), color("leg_front"), false);
    };
    auto head = [&]() {
        auto it = heads.find(view);
        if (it == heads.end()) {
            src.fail("no head is drawn for the view \"" + view + "\"");
        }
        const Point c = pose.get("head", src);
        const Image& img = it->second;
        canvas.picture(img, static_cast<int>(std::lround(c.x - img.width() / 2.0f)),
                       static_cast<int>(std::lround(c.y - img.height() / 2.0f)));
    };

    if (view == "right") {
        arm('b', false);
        leg('b', false);
        torso();
        leg('f', true);
        head();
        arm('f', true);
    } else if (view == "front") {
        leg('b', false);
        leg('f', false);
        torso();
        arm('b', true);
        arm('f', true);
        head();
    } else if (view == "back") {
        leg('b', false);
        leg('f', false);
        torso();
        head();
        arm('b', true);
        arm('f', true);
    } else {
        src.fail("a view is \"right\", \"front\" or \"back\"");
    }
    return canvas.finish();
}

}  // namespace

Sheet readFigureSource(const std::string& path) {
    SourceFile src(path);
    std::vector<std::string> words = src.next();
    if (words.empty() || words[0] != "figure") {
        src.fail("a figure source begins with \"figure cell N frames F groups G\"");
    }
    Sheet sheet;
    sheet.name = "p_1";
    {
        Params p(words, 1, src.where());
        sheet.cell = p.integer("cell");
        sheet.frames = p.integer("frames");
        sheet.groups = p.integer("groups");
        p.finish();
    }
    std::optional<Palette> palette;
    std::map<std::string, Image> heads;
    BodyStyle style;
    std::vector<std::vector<Image>> groups(static_cast<std::size_t>(sheet.groups));
    int current = -1;
    std::string view;

    auto groupNumber = [&](const std::string& text) {
        int g = toInteger(text, src.where());
        if (g < 0 || g >= sheet.groups) {
            src.fail("group " + text + " is outside the sheet");
        }
        return g;
    };

    for (words = src.next(); !words.empty(); words = src.next()) {
        const std::string& what = words[0];
        if (what == "palette") {
            palette = Palette::read(src);
        } else if (what == "head") {
            if (words.size() != 4 || !palette) {
                src.fail("\"head VIEW W H\" comes after the palette");
            }
            int w = toInteger(words[2], src.where());
            int h = toInteger(words[3], src.where());
            heads[words[1]] = gridToImage(src.grid(w, h), *palette, src);
        } else if (what == "body") {
            Params p(words, 1, src.where());
            style.torso = p.number("torso_radius", style.torso);
            style.arm = p.number("arm_radius", style.arm);
            style.leg = p.number("leg_radius", style.leg);
            style.hand = p.number("hand_radius", style.hand);
            for (const char* key : {"outline", "torso", "belt", "sleeve_front", "sleeve_back",
                                    "hand", "leg_front", "leg_back", "boot"}) {
                std::string c = p.text(key);
                if (c.size() != 1) {
                    src.fail("a body colour is one palette character");
                }
                style.colors[key] = c[0];
            }
            p.finish();
        } else if (what == "group") {
            if (words.size() != 4 || words[2] != "view") {
                src.fail("\"group G view VIEW\"");
            }
            current = groupNumber(words[1]);
            view = words[3];
        } else if (what == "pose") {
            if (current < 0 || !palette) {
                src.fail("a pose belongs to a group, after the palette");
            }
            Pose pose;
            for (std::size_t i = 1; i + 1 < words.size(); i += 2) {
                if (std::find(kJointNames.begin(), kJointNames.end(), words[i]) ==
                    kJointNames.end()) {
                    src.fail("unknown joint \"" + words[i] + "\"");
                }
                pose.joints[words[i]] = parsePoint(words[i + 1], src);
            }
            if (words.size() % 2 == 0) {
                src.fail("a pose is a list of \"JOINT X,Y\" pairs");
            }
            groups[static_cast<std::size_t>(current)].push_back(
                drawPose(pose, view, sheet.cell, style, *palette, heads, src));
        } else if (what == "mirror" || what == "reverse") {
            if (words.size() != 4 || words[2] != "of") {
                src.fail("\"" + what + " G of H\"");
            }
            int g = groupNumber(words[1]);
            const auto& from = groups[static_cast<std::size_t>(groupNumber(words[3]))];
            if (static_cast<int>(from.size()) != sheet.frames) {
                src.fail("group " + words[3] + " is not complete yet");
            }
            auto& to = groups[static_cast<std::size_t>(g)];
            to.clear();
            for (int f = 0; f < sheet.frames; ++f) {
                to.push_back(what == "mirror"
                                 ? from[static_cast<std::size_t>(f)].flippedHorizontally()
                                 : from[static_cast<std::size_t>(sheet.frames - 1 - f)]);
            }
        } else {
            src.fail("unknown line \"" + what + "\"");
        }
    }
    for (int g = 0; g < sheet.groups; ++g) {
        const auto& frames = groups[static_cast<std::size_t>(g)];
        if (static_cast<int>(frames.size()) != sheet.frames) {
            src.fail("group " + std::to_string(g) + " has " + std::to_string(frames.size()) +
                     " frames, not " + std::to_string(sheet.frames));
        }
        sheet.cells.insert(sheet.cells.end(), frames.begin(), frames.end());
    }
    return sheet;
}

}  // namespace glint::content
