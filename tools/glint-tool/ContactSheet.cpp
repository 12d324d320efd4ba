// glint-tool contact-sheet: every level of a set drawn small into one PNG picture, so that a
// person can review the designs at a glance.
#include "ContactSheet.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include "Commands.h"
#include "Levels.h"

namespace glint::tool {

namespace {

constexpr const char* kUsage =
    "usage: glint-tool contact-sheet OUT.png [--levels DIR] [--solutions DIR] [--proofs DIR]\n"
    "                                [--set S] [--cell PIXELS] [--columns N] [--from N] [--to N]\n";

// The palette: dark background, the border grey, each tile in a colour of its own. Trap bricks
// are drawn in a pinker brick than plain bricks, so that a reviewer sees where they are (the
// game draws them alike).
constexpr std::uint32_t kBackground = 0x0e101e;
constexpr std::uint32_t kPaper = 0x26262c;
constexpr std::uint32_t kFrame = 0x5a5a64;
constexpr std::uint32_t kBrick = 0xb0502c;
constexpr std::uint32_t kMortar = 0x46302a;
constexpr std::uint32_t kTrap = 0xc46096;
constexpr std::uint32_t kTrapMortar = 0x5a2a44;
constexpr std::uint32_t kSolid = 0x787c88;
constexpr std::uint32_t kSolidLight = 0xaaaeba;
constexpr std::uint32_t kSolidDark = 0x464850;
constexpr std::uint32_t kLadder = 0xebcd5a;
constexpr std::uint32_t kHidden = 0x50bee6;
constexpr std::uint32_t kRope = 0xd2b482;
constexpr std::uint32_t kGold = 0xffd228;
constexpr std::uint32_t kPlayer = 0x5af05a;
constexpr std::uint32_t kEnemy = 0xeb46eb;
constexpr std::uint32_t kLabel = 0xe6e6e6;
constexpr std::uint32_t kProof = 0x78e678;
constexpr std::uint32_t kScript = 0x6ea0ff;
constexpr std::uint32_t kMissing = 0x802020;

// Digits of three by five pixels, one row a number, the top row first.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 2, 2, 2},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
    }
    return ~crc;
}

void putBig32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void putChunk(Bytes& out, const char* type, const Bytes& data) {
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, crc32(body.data(), body.size()));
}

// Draws a number with digits `scale` pixels a dot; returns the x after it.
int drawNumber(RgbPicture& picture, int x, int y, int number, int scale, std::uint32_t rgb) {
    const std::string text = std::to_string(number);
    for (char ch : text) {
        const auto& rows = kDigits[static_cast<std::size_t>(ch - '0')];
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if ((rows[static_cast<std::size_t>(row)] >> (2 - col) & 1) != 0) {
                    picture.fill(x + col * scale, y + row * scale, scale, scale, rgb);
                }
            }
        }
        x += 4 * scale;
    }
    return x;
}

// A brick's courses: mortar along the top and the middle, joints staggered half a cell.
void drawBrick(RgbPicture& p, int x, int y, int s, std::uint32_t face, std::uint32_t mortar) {
    p.fill(x, y, s, s, face);
    p.fill(x, y, s, 1, mortar);
    p.fill(x, y + s / 2, s, 1, mortar);
    p.fill(x, y, 1, s / 2, mortar);
    p.fill(x + s / 2, y + s / 2, 1, s - s / 2, mortar);
}

void drawLadder(RgbPicture& p, int x, int y, int s, std::uint32_t rgb) {
    p.fill(x + s / 6, y, 1, s, rgb);
    p.fill(x + s - 1 - s / 6, y, 1, s, rgb);
    for (int row = 1; row < s; row += 3) {
        p.fill(x + s / 6, y + row, s - 2 * (s / 6), 1, rgb);
    }
}

void drawFigure(RgbPicture& p, int x, int y, int s, std::uint32_t rgb) {
    const int head = std::max(1, s / 3);
    p.fill(x + (s - head) / 2, y, head, head, rgb);
    p.fill(x + s / 4, y + head, s - 2 * (s / 4), s - head, rgb);
}

// The difficulty of the set by quarter, as bars: for each quarter the average gold (yellow),
// enemies (magenta), key script length (blue) and proof length (green) in seconds, each measure
// scaled to its largest quarter, the average written above its bar.
void drawQuarters(RgbPicture& p, int x, int y, int height, int scale,
                  const std::vector<LevelFigures>& figures) {
    constexpr int kMeasures = 4;
    double values[4][kMeasures] = {};
    double most[kMeasures] = {};
    for (int q = 0; q < 4; ++q) {
        const QuarterFigures f = quarterFigures(figures, q);
        const double row[kMeasures] = {f.gold, f.enemies, f.scriptSeconds, f.proofSeconds};
        for (int m = 0; m < kMeasures; ++m) {
            values[q][m] = row[m];
            most[m] = std::max(most[m], row[m]);
        }
    }
    const std::uint32_t colours[kMeasures] = {kGold, kEnemy, kScript, kProof};
    const int bar = 6 * scale;
    const int step = bar + 14 * scale;
    const int group = kMeasures * step + 12 * scale;
    const int top = y + 7 * scale;
    const int bottom = y + height - 8 * scale;
    for (int q = 0; q < 4; ++q) {
        const int gx = x + q * group;
        drawNumber(p, gx, bottom + 2 * scale, q + 1, scale, kLabel);
        p.fill(gx, bottom, group - 12 * scale, 1, kFrame);
        for (int m = 0; m < kMeasures; ++m) {
            const int bx = gx + m * step;
            const int h =
                most[m] > 0 ? static_cast<int>((bottom - top) * values[q][m] / most[m]) : 0;
            p.fill(bx, bottom - h, bar, h, colours[m]);
            drawNumber(p, bx, bottom - h - 6 * scale, static_cast<int>(values[q][m] + 0.5), scale,
                       colours[m]);
        }
    }
}

}  // namespace

void RgbPicture::set(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return;
    }
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    pixels[at] = static_cast<std::uint8_t>(rgb >> 16);
    pixels[at + 1] = static_cast<std::uint8_t>(rgb >> 8);
    pixels[at + 2] = static_cast<std::uint8_t>(rgb);
}

std::uint32_t RgbPicture::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return static_cast<std::uint32_t>(pixels[i]) << 16 |
           static_cast<std::uint32_t>(pixels[i + 1]) << 8 | pixels[i + 2];
}

void RgbPicture::fill(int x, int y, int w, int h, std::uint32_t rgb) {
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            set(col, row, rgb);
        }
    }
}

Bytes encodePng(const RgbPicture& picture) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    putBig32(header, static_cast<std::uint32_t>(picture.width));
    putBig32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    putChunk(out, "IHDR", header);

    // The rows, each after its filter byte (0: none).
    Bytes raw;
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        const auto* row = picture.pixels.data() + static_cast<std::size_t>(y) * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    Bytes zlib = {0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t size = std::min<std::size_t>(raw.size() - done, 65535);
        const bool last = done + size == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<std::uint8_t>(size));
        zlib.push_back(static_cast<std::uint8_t>(size >> 8));
        zlib.push_back(static_cast<std::uint8_t>(~size));
        zlib.push_back(static_cast<std::uint8_t>(~size >> 8));
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                    raw.begin() + static_cast<std::ptrdiff_t>(done + size));
        done += size;
    } while (done < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(zlib, b << 16 | a);
    putChunk(out, "IDAT", zlib);
    putChunk(out, "IEND", {});
    return out;
}

void drawLevel(RgbPicture& picture, int x, int y, int s, const Bytes& level) {
    picture.fill(x, y, kLevelColumns * s, kLevelLines * s, kBackground);
    for (int row = 0; row < kLevelLines; ++row) {
        for (int col = 0; col < kLevelColumns; ++col) {
            const std::size_t at =
                static_cast<std::size_t>(row) * (kLevelColumns + 1) + static_cast<std::size_t>(col);
            const char ch = at < level.size() ? static_cast<char>(level[at]) : ' ';
            const int px = x + col * s;
            const int py = y + row * s;
            switch (ch) {
                case 'T':
                    drawBrick(picture, px, py, s, kBrick, kMortar);
                    break;
                case 'U':
                    drawBrick(picture, px, py, s, kTrap, kTrapMortar);
                    break;
                case 'M':
                    picture.fill(px, py, s, s, kSolid);
                    picture.fill(px, py, s, 1, kSolidLight);
                    picture.fill(px, py, 1, s, kSolidLight);
                    picture.fill(px, py + s - 1, s, 1, kSolidDark);
                    picture.fill(px + s - 1, py, 1, s, kSolidDark);
                    break;
                case 'H':
                    drawLadder(picture, px, py, s, kLadder);
                    break;
                case '#':
                    drawLadder(picture, px, py, s, kHidden);
                    break;
                case '-':
                    picture.fill(px, py + s / 5, s, std::max(1, s / 6), kRope);
                    break;
                case '*': {
                    const int r = std::max(1, s / 3);
                    const int cx = px + s / 2;
                    const int cy = py + s / 2;
                    for (int dy = -r; dy <= r; ++dy) {
                        for (int dx = -r; dx <= r; ++dx) {
                            if (std::abs(dx) + std::abs(dy) <= r) {
                                picture.set(cx + dx, cy + dy, kGold);
                            }
                        }
                    }
                    break;
                }
                case '!':
                    drawFigure(picture, px, py, s, kPlayer);
                    break;
                case '$':
                    drawFigure(picture, px, py, s, kEnemy);
                    break;
                default:
                    break;
            }
        }
    }
}

int runContactSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::map<std::string, long long> numbers = {
        {"--set", 0}, {"--cell", 6}, {"--columns", 5}, {"--from", 1}, {"--to", kLevelsPerSet}};
    std::string levelsDir = "assets/levels";
    std::string proofsDir;
    std::string solutionsDir;
    std::string outPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--levels" && i + 1 < args.size()) {
            levelsDir = args[++i];
        } else if (a == "--proofs" && i + 1 < args.size()) {
            proofsDir = args[++i];
        } else if (a == "--solutions" && i + 1 < args.size()) {
            solutionsDir = args[++i];
        } else if (numbers.count(a) && i + 1 < args.size()) {
            const std::string& text = args[++i];
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), numbers[a]);
            if (ec != std::errc() || end != text.data() + text.size()) {
                err << kUsage;
                return kExitUsage;
            }
        } else if (a.rfind("--", 0) != 0 && outPath.empty()) {
            outPath = a;
        } else {
            err << kUsage;
            return kExitUsage;
        }
    }
    if (proofsDir.empty()) {
        proofsDir = (std::filesystem::path(levelsDir) / "proofs").string();
    }
    if (solutionsDir.empty()) {
        solutionsDir = (std::filesystem::path(levelsDir) / "solutions").string();
    }
    const int set = static_cast<int>(numbers["--set"]);
    const int cell = static_cast<int>(numbers["--cell"]);
    const int columns = static_cast<int>(numbers["--columns"]);
    const int from = static_cast<int>(numbers["--from"]);
    const int to = static_cast<int>(numbers["--to"]);
    if (outPath.empty() || set < 0 || set >= kLevelSets || cell < 2 || cell > 32 || columns < 1 ||
        columns > 75 || from < 1 || to > kLevelsPerSet || from > to) {
        err << kUsage;
        return kExitUsage;
    }

    const int labelScale = cell >= 5 ? 2 : 1;
    const int label = 7 * labelScale;
    const int margin = 2 * cell;
    const int frameW = kLevelColumns * cell + 2;
    const int frameH = kLevelLines * cell + 2;
    const int count = to - from + 1;
    const int rows = (count + columns - 1) / columns;
    const int chartH = 16 * label;
    RgbPicture sheet(margin + columns * (frameW + margin),
                     margin + rows * (label + frameH + margin) + chartH + margin);
    sheet.fill(0, 0, sheet.width, sheet.height, kPaper);

    int missing = 0;
    std::vector<LevelFigures> figures;
    for (int level = from; level <= to; ++level) {
        const int slot = level - from;
        const int x = margin + (slot % columns) * (frameW + margin);
        const int y = margin + (slot / columns) * (label + frameH + margin);
        const std::string path = levelFileName(levelsDir, set, level);
        std::optional<Bytes> bytes = readWholeFile(path, 1u << 20);
        int after = drawNumber(sheet, x, y, level, labelScale, kLabel);
        sheet.fill(x, y + label, frameW, frameH, kFrame);
        if (!bytes) {
            ++missing;
            err << "glint-tool: " << path << ": cannot be read\n";
            sheet.fill(x + 1, y + label + 1, frameW - 2, frameH - 2, kMissing);
            continue;
        }
        LevelFacts facts;
        const std::string fault = checkLevelFormat(*bytes, facts);
        // The gold, the enemies and the seconds its proof takes, beside its number.
        after = drawNumber(sheet, after + 3 * labelScale, y, facts.gold, labelScale, kGold);
        after = drawNumber(sheet, after + 3 * labelScale, y, facts.enemies, labelScale, kEnemy);
        const long long proofTicks = glint::tool::proofTicks(proofFileName(proofsDir, set, level));
        if (proofTicks >= 0) {
            drawNumber(sheet, after + 3 * labelScale, y, static_cast<int>(proofTicks * 30 / 1000),
                       labelScale, kProof);
        }
        if (fault.empty()) {
            figures.push_back(LevelFigures{level, facts.gold, facts.enemies,
                                           scriptTicks(solutionFileName(solutionsDir, set, level)),
                                           proofTicks});
        }
        drawLevel(sheet, x + 1, y + label + 1, cell, *bytes);
        if (!fault.empty()) {
            err << "glint-tool: " << path << ": " << fault << "\n";
            sheet.fill(x, y + label, frameW, 1, kMissing);
            ++missing;
        }
    }
    drawQuarters(sheet, margin, sheet.height - margin - chartH, chartH, labelScale, figures);
    if (!writeFileAtomically(outPath, encodePng(sheet))) {
        err << "glint-tool: " << outPath << ": cannot be written\n";
        return kExitFailed;
    }
    out << outPath << ": " << count << " levels of set " << set << ", " << sheet.width << " x "
        << sheet.height << " pixels\n";
    writeQuarters(out, figures);
    return missing == 0 ? kExitOk : kExitFailed;
}

}  // namespace glint::tool
