// A search for a key script that completes a level: moves, digs, falls and waits, each one
// simulated tick by tick with the game's own grid, bricks and player.
//
// The search works on whole moves ("walk to the next cell", "dig on the left and step into the
// hole", "wait until a hole closes"), never on single ticks: each move holds keys tick after
// tick on a real LevelGrid and a real player until the figure rests again, so whatever the game
// does with the keys (falling through a fresh hole, catching a rope, backing off after a dig) is
// what the search sees. Situations are saved and restored field by field, so one grid and one
// player serve the whole search. Situations with fewer gold pieces left come first; among
// them, those whose time so far plus a guess of the time to the nearest gold piece is least, with
// digging and waiting made to look a little dearer than walking.
#include "LevelSolver.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <queue>
#include <unordered_set>

#include "SearchMoves.h"
#include "app/App.h"
#include "play/LevelReveal.h"
#include "world/Actor.h"
#include "world/BrickTile.h"
#include "world/Enemy.h"
#include "world/LevelGrid.h"
#include "world/Random.h"

namespace glint::tool {

namespace {

// Situations are compared coarsely: a player standing anywhere near the centre of the same cell,
// facing the same way, with the same holes open near it (kNearHole cells or fewer away), count as
// the same, and the search keeps the first of them it meets (its exact state is what later moves
// start from). Without this, every tick a hole was dug earlier or later, every hole left open
// somewhere else and every unit a walk ended left or right of a centre would make a situation of
// its own, and the search would drown in them.
constexpr int kNearHole = 2;

const char* const kKeyWords[] = {"left", "right", "up", "down", "fire"};
// A brick that is not as the level built it.
struct BrickState {
    std::uint16_t brick = 0;  // index into World::bricks
    std::int8_t column = 0;
    std::int8_t row = 0;
    std::uint8_t phase = BrickTile::kIntact;
    bool isOpen = false;
    bool reverse = false;
    bool blended = false;
    std::int16_t frame = 0;
    std::uint32_t openTimer = 0;
    std::uint32_t elapsed = 0;
};

// Everything that can change while a level is played without enemies.
struct Snapshot {
    float x = 0.0f;
    float y = 0.0f;
    Cell cell;
    std::int8_t motion = 0;
    std::int8_t facing = 1;
    std::uint32_t cooldown = 0;
    std::uint64_t gold = 0;  // bit i: gold piece i still lies in its cell
    std::vector<BrickState> bricks;
};

bool pristine(const BrickTile& b) {
    return b.phase == BrickTile::kIntact && !b.isOpen && b.openTimer == 0 && b.sprite.frame == 0 &&
           b.sprite.elapsed == 0 && !b.sprite.reverse && !b.sprite.blended;
}

void makePristine(BrickTile& b) {
    b.phase = BrickTile::kIntact;
    b.isOpen = false;
    b.openTimer = 0;
    b.sprite.frame = 0;
    b.sprite.elapsed = 0;
    b.sprite.reverse = false;
    b.sprite.blended = false;
}

// One level with its player and no enemies, ticked as the game ticks it.
class World {
public:
    World(App& app, const Bytes& level) : app_(app), grid_(app, random_), keys_(app.settings) {
        grid_.buildFromBytes(level);
        for (int r = 0; r < LevelGrid::kHeight; ++r) {
            for (int c = 0; c < LevelGrid::kWidth; ++c) {
                Tile* tile = grid_.tileAt(c, r);
                if (isKind(tile, TileKind::Brick)) {
                    bricks_.push_back(static_cast<BrickTile*>(tile));
                    brickCells_.push_back(Cell{c, r});
                } else if (isKind(tile, TileKind::Gold)) {
                    goldCells_.push_back(Cell{c, r});
                } else if (isKind(tile, TileKind::HiddenLadder)) {
                    hidden_.push_back(tile);
                }
            }
        }
        player_ = std::make_unique<Actor>(app, grid_, noEnemies_);
        app.keyboard.attach(keys_);
    }
    ~World() { app_.keyboard.detach(); }
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    const std::vector<Cell>& goldCells() const { return goldCells_; }
    LevelGrid& grid() { return grid_; }
    Actor& player() { return *player_; }

    Snapshot save() const {
        Snapshot s;
        const Actor& p = *player_;
        s.x = p.position().x;
        s.y = p.position().y;
        s.cell = grid_.worldToCell(p.position());
        s.motion = static_cast<std::int8_t>(p.motion);
        s.facing = static_cast<std::int8_t>(p.facing);
        s.cooldown = p.fireCooldown;
        for (std::size_t i = 0; i < goldCells_.size(); ++i) {
            if (isKind(grid_.tileAt(goldCells_[i].column, goldCells_[i].row), TileKind::Gold)) {
                s.gold |= std::uint64_t{1} << i;
            }
        }
        for (std::size_t i = 0; i < bricks_.size(); ++i) {
            const BrickTile& b = *bricks_[i];
            if (!pristine(b)) {
                s.bricks.push_back(BrickState{
                    static_cast<std::uint16_t>(i), static_cast<std::int8_t>(brickCells_[i].column),
                    static_cast<std::int8_t>(brickCells_[i].row),
                    static_cast<std::uint8_t>(b.phase), b.isOpen, b.sprite.reverse,
                    b.sprite.blended, static_cast<std::int16_t>(b.sprite.frame), b.openTimer,
                    b.sprite.elapsed});
            }
        }
        return s;
    }

    void restore(const Snapshot& s) {
        Actor& p = *player_;
        p.position().x = s.x;
        p.position().y = s.y;
        p.motion = s.motion;
        p.facing = s.facing;
        p.fireCooldown = s.cooldown;
        p.dead = false;
        p.started = true;
        p.points = 0;
        p.sprite.setVisible(true);

        for (BrickTile* b : bricks_) {
            if (!pristine(*b)) {
                makePristine(*b);
            }
        }
        active_.clear();
        for (const BrickState& state : s.bricks) {
            BrickTile& b = *bricks_[state.brick];
            b.phase = state.phase;
            b.isOpen = state.isOpen;
            b.openTimer = state.openTimer;
            b.sprite.frame = state.frame;
            b.sprite.elapsed = state.elapsed;
            b.sprite.reverse = state.reverse;
            b.sprite.blended = state.blended;
            if (b.phase != BrickTile::kIntact) {
                active_.push_back(&b);
            }
        }

        for (std::size_t i = 0; i < goldCells_.size(); ++i) {
            const Cell cell = goldCells_[i];
            const bool wanted = (s.gold >> i & 1) != 0;
            const bool there = isKind(grid_.tileAt(cell.column, cell.row), TileKind::Gold);
            if (wanted && !there) {
                grid_.putTile(cell.column, cell.row,
                              makeTile(TileKind::Gold, app_,
                                       grid_.cellCentre(cell.column, cell.row), random_));
            } else if (!wanted && there) {
                grid_.removeTile(cell.column, cell.row);
            }
        }
        grid_.goldCount = std::popcount(s.gold);
        grid_.levelComplete = false;
        if (s.gold == 0) {
            for (Tile* tile : hidden_) {
                if (tile->kind == TileKind::HiddenLadder) {
                    tile->trigger();
                }
            }
            grid_.exitRow = 0;
        } else {
            for (Tile* tile : hidden_) {
                tile->kind = TileKind::HiddenLadder;
                tile->sprite.setVisible(false);
            }
            grid_.exitRow = -1;
        }
    }

    // One game tick with these keys held: the bricks that are not intact, then the player, as
    // the game's tick does it (intact bricks and every other tile do nothing in a tick).
    void step(unsigned keys) {
        keys_.keys = keys;
        app_.controls.hold(app_.controls.poll(app_.keyboard, app_.settings, kTickMs));
        for (BrickTile* b : active_) {
            b->tick();
        }
        player_->tick(kTickMs);
        if ((keys & kHoldFire) != 0) {
            active_.clear();
            for (BrickTile* b : bricks_) {
                if (b->phase != BrickTile::kIntact) {
                    active_.push_back(b);
                }
            }
        } else {
            std::erase_if(active_,
                          [](const BrickTile* b) { return b->phase == BrickTile::kIntact; });
        }
    }

    int openBricks() const {
        return static_cast<int>(std::count_if(active_.begin(), active_.end(),
                                              [](const BrickTile* b) { return b->isOpen; }));
    }

    Cell cell() const { return grid_.worldToCell(player_->position()); }
    // In a dug hole with no way on: blocked on both sides and below, and nothing to climb or
    // dig (a dig needs an open cell beside).
    bool walledIn() const {
        const Cell c = cell();
        return isKind(grid_.tileAt(c.column, c.row), TileKind::Brick) &&
               blocks(grid_.tileAt(c.column - 1, c.row)) &&
               blocks(grid_.tileAt(c.column + 1, c.row)) &&
               blocks(grid_.tileAt(c.column, c.row + 1));
    }
    bool nearCentre() const {
        return grid_.isNearCellCentre(player_->position(), player_->tolerance);
    }
    bool falling() const { return player_->motion == kFalling; }
    bool unsupported(Cell c) const {
        return letsFall(grid_.tileAt(c.column, c.row)) &&
               fallsInto(grid_.tileAt(c.column, c.row + 1));
    }

private:
    App& app_;
    // The solver plays without enemies: nothing it decides depends on a draw.
    Random random_;
    LevelGrid grid_;
    EnemyList noEnemies_;
    std::unique_ptr<Actor> player_;
    HeldKeys keys_;
    std::vector<BrickTile*> bricks_;
    std::vector<Cell> brickCells_;
    std::vector<Cell> goldCells_;
    std::vector<Tile*> hidden_;
    std::vector<BrickTile*> active_;
};

struct Node {
    Snapshot snapshot;
    int parent = -1;
    long long ticks = 0;
    std::vector<KeyRun> runs;  // the move that led here from the parent
    long long cost = 0;        // ticks, with digs and waits made dearer
};

struct QueueEntry {
    int gold;
    long long priority;
    int node;
    bool operator>(const QueueEntry& other) const {
        if (gold != other.gold) {
            return gold > other.gold;
        }
        if (priority != other.priority) {
            return priority > other.priority;
        }
        return node > other.node;
    }
};

// Two independent 64-bit hashes of a situation: equal situations are met again and again, and
// a wrong merge would hide a way through, so one hash alone is not trusted.
struct Key {
    std::uint64_t a;
    std::uint64_t b;
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        return static_cast<std::size_t>(k.a ^ (k.b << 1));
    }
};

Key keyOf(const Snapshot& s) {
    std::uint64_t a = 1469598103934665603ull;
    std::uint64_t b = 0x9e3779b97f4a7c15ull;
    auto mix = [&](std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            const std::uint64_t byte = (v >> (8 * i)) & 0xff;
            a = (a ^ byte) * 1099511628211ull;
            b = (b + byte + 1) * 0xff51afd7ed558ccdull;
            b ^= b >> 29;
        }
    };
    mix(static_cast<std::uint64_t>(s.cell.column) << 16 |
        static_cast<std::uint64_t>(s.cell.row) << 8 |
        static_cast<std::uint64_t>(s.facing + 2) << 1 | (s.cooldown > 0 ? 1 : 0));
    mix(s.gold);
    for (const BrickState& br : s.bricks) {
        if (br.phase == BrickTile::kIntact) {
            continue;  // grown back: only the frame clock of its next dig differs
        }
        if (std::abs(br.column - s.cell.column) > kNearHole ||
            std::abs(br.row - s.cell.row) > kNearHole) {
            continue;  // far from the player: it will most likely have closed when it matters
        }
        mix(static_cast<std::uint64_t>(br.brick) << 8 | static_cast<std::uint64_t>(br.isOpen));
    }
    return Key{a, b};
}

// A guess at the ticks still needed: to the nearest gold piece left, or to the top row once
// all are taken, at about six ticks a cell across or down. It leads the search towards the gold;
// it need not be exact, since the search does not promise the shortest way.
long long ticksToGo(const Snapshot& s, const std::vector<Cell>& gold) {
    constexpr long long kTicksPerCell = 6;
    if (s.gold == 0) {
        return kTicksPerCell * s.cell.row;
    }
    long long best = -1;
    for (std::size_t i = 0; i < gold.size(); ++i) {
        if ((s.gold >> i & 1) != 0) {
            const long long d = kTicksPerCell * (std::abs(gold[i].column - s.cell.column) +
                                                 std::abs(gold[i].row - s.cell.row));
            best = best < 0 ? d : std::min(best, d);
        }
    }
    return best;
}

}  // namespace

bool HeldKeys::readState(platform::KeyState& state) {
    state.fill(0);
    const int codes[] = {bindings_.m_left_key, bindings_.m_right_key, bindings_.m_up_key,
                         bindings_.m_down_key, bindings_.m_fire_key};
    for (int bit = 0; bit < 5; ++bit) {
        if ((keys & (1u << bit)) != 0 && codes[bit] > 0 && codes[bit] < 256) {
            state[static_cast<std::size_t>(codes[bit])] = platform::kKeyPressed;
        }
    }
    return true;
}

void appendRuns(std::vector<KeyRun>& runs, const std::vector<KeyRun>& more) {
    for (const KeyRun& run : more) {
        if (!runs.empty() && runs.back().keys == run.keys) {
            runs.back().count += run.count;
        } else {
            runs.push_back(run);
        }
    }
}

long long revealTicks() {
    LevelReveal reveal;
    long long ticks = 0;
    while (!reveal.done()) {
        reveal.step();
        ++ticks;
    }
    return ticks;
}

std::string keyScriptText(const std::vector<KeyRun>& runs, const std::vector<std::string>& notes) {
    std::string text;
    for (const std::string& note : notes) {
        text += "# " + note + "\n";
    }
    for (const KeyRun& run : runs) {
        text += std::to_string(run.count);
        if (run.keys == 0) {
            text += " -";
        }
        for (int bit = 0; bit < 5; ++bit) {
            if ((run.keys & (1u << bit)) != 0) {
                text += std::string(" ") + kKeyWords[bit];
            }
        }
        text += "\n";
    }
    return text;
}

Solution solveLevel(App& app, const Bytes& level, const SolverLimits& limits) {
    Solution solution;
    World world(app, level);
    if (world.goldCells().empty()) {
        solution.reason = "no gold: the level has no exit";
        return solution;
    }
    if (world.goldCells().size() > 64) {
        solution.reason = "more than 64 gold pieces: too many for the search";
        return solution;
    }

    std::vector<Node> nodes;
    std::unordered_set<Key, KeyHash> seen;
    std::priority_queue<QueueEntry, std::vector<QueueEntry>, std::greater<>> open;
    nodes.push_back(Node{world.save(), -1, 0, {}, 0});
    seen.insert(keyOf(nodes[0].snapshot));
    open.push(QueueEntry{std::popcount(nodes[0].snapshot.gold), 0, 0});

    // Gold pieces taken in some situation met: when the search fails, the others are what a
    // designer needs to look at.
    std::uint64_t takenSomewhere = 0;
    std::uint64_t fewestLeft = nodes[0].snapshot.gold;
    int goal = -1;
    while (!open.empty() && goal < 0) {
        const QueueEntry entry = open.top();
        open.pop();
        if (seen.size() >= limits.maxStates) {
            solution.reason = "gave up after " + std::to_string(seen.size()) + " situations";
            break;
        }
        for (int action = 0; action < kMovesWithoutEnemies && goal < 0; ++action) {
            world.restore(nodes[static_cast<std::size_t>(entry.node)].snapshot);
            Move move(world);
            const long long penalty = playMove(move, action);
            if (move.outcome == Outcome::Broken) {
                continue;
            }
            Snapshot snapshot = world.save();
            const Key key = keyOf(snapshot);
            if (move.outcome != Outcome::Goal && !seen.insert(key).second) {
                continue;
            }
            const Node& parent = nodes[static_cast<std::size_t>(entry.node)];
            Node child{std::move(snapshot), entry.node, parent.ticks + move.ticks,
                       std::move(move.runs), parent.cost + move.ticks + penalty};
            const long long priority = child.cost + ticksToGo(child.snapshot, world.goldCells());
            const int gold = std::popcount(child.snapshot.gold);
            takenSomewhere |= ~child.snapshot.gold;
            if (gold < std::popcount(fewestLeft)) {
                fewestLeft = child.snapshot.gold;
            }
            nodes.push_back(std::move(child));
            const int index = static_cast<int>(nodes.size() - 1);
            if (move.outcome == Outcome::Goal) {
                goal = index;
            } else {
                open.push(QueueEntry{gold, priority, index});
            }
        }
    }
    solution.statesSeen = seen.size();
    if (goal < 0) {
        if (solution.reason.empty()) {
            solution.reason = "no way through: every reachable situation was tried (" +
                              std::to_string(seen.size()) + ")";
        }
        // Places in the level file, as a designer looks for them.
        auto places = [&](std::uint64_t bits) {
            std::string text;
            for (std::size_t i = 0; i < world.goldCells().size(); ++i) {
                if ((bits >> i & 1) != 0) {
                    const Cell cell = world.goldCells()[i];
                    text += (text.empty() ? "" : ", ") + std::string("line ") +
                            std::to_string(cell.row + 1) + " column " + std::to_string(cell.column);
                }
            }
            return text;
        };
        const std::uint64_t all = world.goldCells().size() == 64
                                      ? ~std::uint64_t{0}
                                      : (std::uint64_t{1} << world.goldCells().size()) - 1;
        if ((takenSomewhere & all) != all) {
            solution.reason += "; gold never reached at " + places(all & ~takenSomewhere);
        } else if (fewestLeft != 0) {
            solution.reason +=
                "; every gold piece was reached, but never all in one game: at "
                "best the gold at " +
                places(fewestLeft) + " was left";
        } else {
            solution.reason += "; all the gold was taken, but the top row not reached after it";
        }
        return solution;
    }

    std::vector<int> path;
    for (int at = goal; at >= 0; at = nodes[static_cast<std::size_t>(at)].parent) {
        path.push_back(at);
    }
    std::reverse(path.begin(), path.end());
    solution.runs.push_back(KeyRun{revealTicks(), 0});
    for (int at : path) {
        appendRuns(solution.runs, nodes[static_cast<std::size_t>(at)].runs);
    }
    solution.ticks = 0;
    for (const KeyRun& run : solution.runs) {
        solution.ticks += run.count;
    }
    solution.found = true;
    return solution;
}

}  // namespace glint::tool
