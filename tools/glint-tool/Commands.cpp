// The subcommands of glint-tool, callable without a process.
#include "Commands.h"

#include <map>
#include <optional>
#include <ostream>
#include <string_view>

#include "ContactSheet.h"
#include "Json.h"
#include "Levels.h"
#include "PackWriter.h"
#include "Simulation.h"
#include "audio/WaveReader.h"
#include "pack/DataPack.h"
#include "pack/FileIo.h"
#include "pack/ParamTable.h"
#include "persist/SaveFileScrambler.h"
#include "render/Font.h"
#include "render/Image.h"
#include "render/Sprite.h"

namespace glint::tool {

namespace {

// Inputs the tool reads whole; far above anything the game holds in one file.
constexpr std::uint64_t kMaxInputBytes = 256ull << 20;

constexpr const char* kUsage =
    "usage: glint-tool COMMAND ARGS...\n"
    "  pack OUT.pk DIR             pack every file under DIR into an archive\n"
    "  list PACK                   one line per entry: NAME<TAB>SIZE\n"
    "  cat PACK PATH               an entry's bytes (or the loose file's) on standard output\n"
    "  table FILE [--key KEY]      a text table as one JSON object\n"
    "  scramble KEY IN OUT         scramble IN into OUT as the game stores user files\n"
    "  unscramble KEY IN OUT       turn a stored user file back into its text\n"
    "  info FILE [--pack PACK]     what the game's loaders make of a picture, sprite file,\n"
    "                              font picture or WAVE file, as one JSON object\n"
    "  sim (--set S --level N | --level-file PATH) [--custom] [--seed N] [--keys FILE]\n"
    "      [--ticks N] [--no-enemies] [--rules FILE] [--pack PACK] [--record REPLAY]\n"
    "                              a headless game, one JSON object per game tick;\n"
    "                              --record writes its replay\n"
    "  replay FILE [--quiet] [--rules FILE] [--pack PACK]\n"
    "                              a replay played headlessly, the same lines as sim;\n"
    "                              exit 0 when it ends with the score it claims\n"
    "  levels [--levels DIR] [--solutions DIR] [--proofs DIR] [--rules FILE] [--pack PACK]\n"
    "      [--seed N] [--set S] [--level N]\n"
    "                              check every level of both sets: its form, its key script\n"
    "                              completing it without enemies, its proof completing it\n"
    "                              with them, and that digging matters in it\n"
    "  solve LEVEL-FILE [--out FILE] [--rules FILE] [--pack PACK] [--max-states N]\n"
    "      [--enemies [--seed N] [--set S --level N] [--timings N]]\n"
    "                              search for a key script that completes the level (with\n"
    "                              --enemies: a proof, with the enemies on)\n"
    "  contact-sheet OUT.png [--levels DIR] [--proofs DIR] [--set S] [--cell PIXELS]\n"
    "      [--columns N] [--from N] [--to N]\n"
    "                              a set's levels drawn small into one PNG picture\n";

using Args = std::vector<std::string>;

struct Context {
    const Args& args;  // the command's own arguments, without the command name
    std::ostream& out;
    std::ostream& err;

    int fail(const std::string& message) const {
        err << "glint-tool: " << message << '\n';
        return kExitFailed;
    }
};

void writeBytes(std::ostream& out, const Bytes& bytes) {
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

int packCommand(const Context& c) {
    const std::string& outPath = c.args[0];
    std::vector<PackSource> sources;
    std::string error;
    if (!collectDirectory(c.args[1], outPath, sources, error)) {
        return c.fail(error);
    }
    Bytes archive = buildPack(sources, error);
    if (archive.empty()) {
        return c.fail(error);
    }
    if (!writeFileAtomically(outPath, archive)) {
        return c.fail(outPath + ": cannot be written");
    }
    return kExitOk;
}

int listCommand(const Context& c) {
    DataPack pack;
    if (!pack.open(c.args[0])) {
        return c.fail(c.args[0] + ": cannot be opened");
    }
    for (std::size_t i = 0; i < pack.entryCount(); ++i) {
        c.out << pack.entryName(i) << '\t' << pack.entry(i).size << '\n';
    }
    return kExitOk;
}

int catCommand(const Context& c) {
    DataPack pack;
    pack.open(c.args[0]);  // like the game: without the archive, loose files still answer
    std::optional<PackData> data = pack.tryReadEntry(c.args[1]);
    if (!data) {
        return c.fail(c.args[1] + ": neither in the archive nor a readable file");
    }
    writeBytes(c.out, data->data);
    return kExitOk;
}

int tableCommand(const Context& c) {
    std::string key;
    if (c.args.size() == 3) {
        if (c.args[1] != "--key" || c.args[2].empty()) {
            c.err << kUsage;
            return kExitUsage;
        }
        key = c.args[2];
    } else if (c.args.size() != 1) {
        c.err << kUsage;
        return kExitUsage;
    }
    std::optional<Bytes> bytes = readWholeFile(c.args[0], kMaxInputBytes);
    if (!bytes) {
        return c.fail(c.args[0] + ": cannot be read");
    }
    if (!key.empty()) {
        std::optional<Bytes> plain = SaveFileScrambler::unscramble(*bytes, key);
        if (!plain) {
            return c.fail(c.args[0] + ": damaged (its rotation byte does not fit its length)");
        }
        bytes = std::move(plain);
    }
    ParamTable parsed;
    parsed.loadFromBuffer(*bytes, true);
    c.out << '{';
    const char* separator = "\n  ";
    for (const auto& [k, v] : parsed) {
        c.out << separator << jsonString(k) << ": " << jsonString(v);
        separator = ",\n  ";
    }
    c.out << (parsed.empty() ? "}\n" : "\n}\n");
    return kExitOk;
}

int scrambling(const Context& c, bool forward) {
    const std::string& key = c.args[0];
    if (key.empty()) {
        return c.fail("the key must not be empty");
    }
    std::optional<Bytes> input = readWholeFile(c.args[1], kMaxInputBytes);
    if (!input) {
        return c.fail(c.args[1] + ": cannot be read");
    }
    std::optional<Bytes> output = forward ? SaveFileScrambler::scramble(*input, key)
                                          : SaveFileScrambler::unscramble(*input, key);
    if (!output) {
        return c.fail(c.args[1] + ": damaged (its rotation byte does not fit its length)");
    }
    if (!writeFileAtomically(c.args[2], *output)) {
        return c.fail(c.args[2] + ": cannot be written");
    }
    return kExitOk;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != suffix[i]) {
            return false;
        }
    }
    return true;
}

// One JSON object of named integers, in the order given.
std::string jsonNumbers(std::initializer_list<std::pair<const char*, long long>> fields) {
    std::string out = "{";
    for (const auto& [key, value] : fields) {
        out += (out.size() > 1 ? ", " : "") + jsonString(key) + ": " + std::to_string(value);
    }
    return out + "}\n";
}

int infoCommand(const Context& c) {
    const std::string& path = c.args[0];
    DataPack pack;
    if (c.args.size() == 3) {
        if (c.args[1] != "--pack") {
            c.err << kUsage;
            return kExitUsage;
        }
        if (!pack.open(c.args[2])) {
            return c.fail(c.args[2] + ": cannot be opened");
        }
    } else if (c.args.size() != 1) {
        c.err << kUsage;
        return kExitUsage;
    }
    // With an archive the path names an entry (or a loose file beside it), as the game reads it.
    std::optional<Bytes> bytes;
    if (c.args.size() == 3) {
        if (std::optional<PackData> entry = pack.tryReadEntry(path)) {
            bytes = std::move(entry->data);
        }
    } else {
        bytes = readWholeFile(path, kMaxInputBytes);
    }
    if (!bytes) {
        return c.fail(path + ": cannot be read");
    }

    std::string why;
    if (endsWith(path, ".tga")) {
        std::optional<Image> image = decodeTga(*bytes, &why);
        if (!image) {
            return c.fail(path + ": " + why);
        }
        if (endsWith(path, "font.tga")) {
            Font font;
            font.buildGlyphs(*bytes);
            if (!font.built()) {
                return c.fail(path + ": " + std::to_string(font.glyphsFound()) +
                              " glyphs found, the font needs " + std::to_string(Font::kGlyphCount));
            }
            c.out << jsonNumbers({{"width", image->width},
                                  {"height", image->height},
                                  {"bpp", image->components * 8},
                                  {"glyphs", font.glyphsFound()}});
            return kExitOk;
        }
        c.out << jsonNumbers(
            {{"width", image->width}, {"height", image->height}, {"bpp", image->components * 8}});
        return kExitOk;
    }
    if (endsWith(path, ".jpg") || endsWith(path, ".jpeg")) {
        std::optional<Image> image = decodeJpeg(*bytes, &why);
        if (!image) {
            return c.fail(path + ": " + why);
        }
        c.out << jsonNumbers({{"width", image->width},
                              {"height", image->height},
                              {"components", image->components}});
        return kExitOk;
    }
    if (endsWith(path, ".spr")) {
        Sprite sprite;
        sprite.load(pack, *bytes, false, false);
        if (sprite.texture() == nullptr || sprite.texture()->width == 0) {
            ParamTable table;
            table.loadFromBuffer(*bytes, true);
            return c.fail(path + ": its picture '" + table.get("file_name", "0") +
                          "' cannot be loaded");
        }
        c.out << jsonNumbers({{"groups", sprite.groups},
                              {"frames", sprite.frames},
                              {"frameWidth", static_cast<long long>(sprite.frameWidth)},
                              {"frameHeight", static_cast<long long>(sprite.frameHeight)}});
        return kExitOk;
    }
    if (endsWith(path, ".wav")) {
        WaveReader wave;
        if (!wave.parse(*bytes)) {
            return c.fail(path + ": not a WAVE file the game can read");
        }
        c.out << jsonNumbers({{"channels", wave.format().channels},
                              {"rate", wave.format().sampleRate},
                              {"bits", wave.format().bitsPerSample},
                              {"bytes", static_cast<long long>(wave.data().size())}});
        return kExitOk;
    }
    return c.fail(path + ": not a picture, sprite file or WAVE file (by its name)");
}

struct Command {
    std::size_t minArgs;
    std::size_t maxArgs;
    int (*run)(const Context&);
};

const std::map<std::string_view, Command>& commands() {
    static const std::map<std::string_view, Command> byName = {
        {"pack", {2, 2, packCommand}},
        {"list", {1, 1, listCommand}},
        {"cat", {2, 2, catCommand}},
        {"table", {1, 3, tableCommand}},
        {"scramble", {3, 3, [](const Context& c) { return scrambling(c, true); }}},
        {"unscramble", {3, 3, [](const Context& c) { return scrambling(c, false); }}},
        {"info", {1, 3, infoCommand}},
        {"sim", {0, 64, [](const Context& c) { return runSimulation(c.args, c.out, c.err); }}},
        {"replay", {1, 8, [](const Context& c) { return runReplay(c.args, c.out, c.err); }}},
        {"levels", {0, 64, [](const Context& c) { return runLevels(c.args, c.out, c.err); }}},
        {"solve", {1, 64, [](const Context& c) { return runSolve(c.args, c.out, c.err); }}},
        {"contact-sheet",
         {1, 64, [](const Context& c) { return runContactSheet(c.args, c.out, c.err); }}},
    };
    return byName;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return kExitOk;
    }
    auto it = commands().find(args[0]);
    Args rest(args.begin() + 1, args.end());
    if (it == commands().end() || rest.size() < it->second.minArgs ||
        rest.size() > it->second.maxArgs) {
        err << kUsage;
        return kExitUsage;
    }
    return it->second.run(Context{rest, out, err});
}

}  // namespace glint::tool
