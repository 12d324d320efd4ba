// A search for a key script that completes a level with its enemies on and no life lost.
//
// The search plays the real game: a GameFlow with its enemies and its own generator, ticked tick
// by tick with the keys of each move (SearchMoves.h), so that what the enemies do, and every
// draw they make, is what the game will do with the same seed and keys. A situation is the whole
// game; rather than keep one of those for every situation met (tens of kilobytes each), a
// situation is a move from the situation it came from, and the game is put back in it by
// restoring the nearest earlier situation still held whole and playing the moves since. The
// situations expanded last are held whole, so that this replay is short.
//
// Situations come in the order of their time so far, plus a guess of the time still needed
// (to the nearest gold piece, and a price for every piece left), plus a price for enemies close.
// Two situations with the player resting in the same cell, with the same gold and holes about it,
// differ only in where the enemies about the player are; a few of those are kept apart (an enemy
// a cell further off can decide a level), more are not.
#include "ProofSearch.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <queue>
#include <unordered_map>
#include <unordered_set>

#include "SearchMoves.h"
#include "app/App.h"
#include "play/GameFlow.h"
#include "play/GameSnapshot.h"
#include "world/BrickTile.h"
#include "world/Enemy.h"

namespace glint::tool {

namespace {

// Holes this many cells away or fewer make situations differ.
constexpr int kNearHole = 2;
// Enemies this many cells away (across plus down) or fewer tell situations apart, and make
// waiting or digging a trap worth trying.
constexpr int kTimingCells = 6;
// Enemies closer than this many cells (across plus down) make a situation look dearer, by this
// many ticks a cell closer.
constexpr int kDangerCells = 4;
constexpr long long kDangerTicks = 25;
// The guess of the time still needed counts this many times over: the search heads for the
// gold rather than look at every shorter way first.
constexpr long long kGreed = 3;
// Each gold piece still to take counts as this many ticks: enough that the search goes for the
// gold, not so much that a situation with one piece fewer wins over every other however long it
// has been stuck (a way that has taken a piece can still lead into a corner with an enemy).
constexpr long long kTicksPerGold = 400;
// Situations held whole at a time (about 70 kB each).
constexpr std::size_t kHeldWhole = 1500;

// The game being searched, as a World of SearchMoves.h.
class Game {
public:
    Game(App& app, const GameSetup& setup) : app_(app), keys_(app.settings) {
        app.keyboard.attach(keys_);
        flow_ = startGame(app, setup);
    }
    ~Game() {
        flow_.reset();
        app_.keyboard.detach();
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void step(unsigned keys) {
        keys_.keys = keys;
        flow_->tick(kTickMs);
    }
    GameFlow& flow() const { return *flow_; }
    LevelGrid& grid() const { return *flow_->grid(); }
    Actor& player() const { return *flow_->player(); }
    Cell cell() const { return grid().worldToCell(player().position()); }
    bool nearCentre() const { return grid().isNearCellCentre(player().position(), 7.0f); }
    bool falling() const { return player().motion == kFalling; }
    // The player's fall test, with the enemies that hold it up.
    bool unsupported(Cell c) const {
        return letsFall(grid().tileAt(c.column, c.row)) &&
               player().isCellFreeOfEnemies(c.column, c.row + 1, &player()) &&
               fallsInto(grid().tileAt(c.column, c.row + 1));
    }
    bool walledIn() const {
        const Cell c = cell();
        return isKind(grid().tileAt(c.column, c.row), TileKind::Brick) &&
               blocks(grid().tileAt(c.column - 1, c.row)) &&
               blocks(grid().tileAt(c.column + 1, c.row)) &&
               blocks(grid().tileAt(c.column, c.row + 1));
    }
    int openBricks() const {
        int open = 0;
        for (int c = 1; c < LevelGrid::kWidth - 1; ++c) {
            for (int r = 0; r < LevelGrid::kHeight - 1; ++r) {
                const Tile* t = grid().tileAt(c, r);
                open += isKind(t, TileKind::Brick) && t->isPassable() ? 1 : 0;
            }
        }
        return open;
    }

private:
    App& app_;
    HeldKeys keys_;
    std::unique_ptr<GameFlow> flow_;
};

// What makes situations alike, hashed two ways: a wrong merge would hide a way through.
struct Key {
    std::uint64_t a = 1469598103934665603ull;
    std::uint64_t b = 0x9e3779b97f4a7c15ull;
    void mix(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            const std::uint64_t byte = (v >> (8 * i)) & 0xff;
            a = (a ^ byte) * 1099511628211ull;
            b = (b + byte + 1) * 0xff51afd7ed558ccdull;
            b ^= b >> 29;
        }
    }
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        return static_cast<std::size_t>(k.a ^ (k.b << 1));
    }
};

std::uint64_t cellBits(const Cell& c) {
    return static_cast<std::uint64_t>(c.column) << 8 | static_cast<std::uint64_t>(c.row);
}

// The place (the player, the gold, the holes near it) and the timing (the enemies as well).
struct Situation {
    Key place;
    Key timing;
    int gold = 0;
    long long toGo = 0;
    long long danger = 0;
    bool enemiesNear = false;  // a free enemy within kTimingCells
};

Situation situationOf(const Game& game) {
    Situation s;
    const LevelGrid& grid = game.grid();
    const Actor& player = game.player();
    const Cell at = game.cell();
    s.place.mix(cellBits(at) << 8 | static_cast<std::uint64_t>(player.facing + 2) << 1 |
                (player.fireCooldown > 0 ? 1 : 0));
    // About six ticks a cell across or down: to the nearest gold piece lying in the grid, or to
    // the top row once all are taken.
    constexpr long long kTicksPerCell = 6;
    long long nearest = -1;
    for (int c = 1; c < LevelGrid::kWidth - 1; ++c) {
        for (int r = 0; r < LevelGrid::kHeight - 1; ++r) {
            const Tile* t = grid.tileAt(c, r);
            if (isKind(t, TileKind::Gold)) {
                s.place.mix(cellBits(Cell{c, r}));
                const long long d =
                    kTicksPerCell * (std::abs(c - at.column) + std::abs(r - at.row));
                nearest = nearest < 0 ? d : std::min(nearest, d);
            } else if (isKind(t, TileKind::Brick) && t->isPassable() &&
                       std::abs(c - at.column) <= kNearHole && std::abs(r - at.row) <= kNearHole) {
                s.place.mix(cellBits(Cell{c, r}) | 1u << 20);
            }
        }
    }
    s.gold = grid.goldCount;
    s.place.mix(static_cast<std::uint64_t>(s.gold));
    s.timing = s.place;
    for (const auto& enemy : game.flow().enemies()) {
        const bool held =
            enemy->aiState == Enemy::kTrapped || enemy->aiState == Enemy::kClimbingOut;
        if (enemy->carriesGold()) {
            // Gold an enemy carries comes back where a hole traps it: the way to it is the way
            // to the enemy.
            const Cell e = grid.worldToCell(enemy->position());
            const long long d =
                kTicksPerCell * (std::abs(e.column - at.column) + std::abs(e.row - at.row));
            nearest = nearest < 0 ? d : std::min(nearest, d);
        }
        // Only the enemies about the player tell timings apart: one wandering at the far end
        // of the level would make every situation new.
        const int d = std::abs(enemy->reservedCell.column - at.column) +
                      std::abs(enemy->reservedCell.row - at.row);
        if (d <= kTimingCells) {
            s.timing.mix(cellBits(enemy->reservedCell) << 8 |
                         static_cast<std::uint64_t>(held) << 1 | (enemy->carriesGold() ? 1 : 0));
            s.enemiesNear = s.enemiesNear || !held;
        }
        // A free enemy close by makes a situation look dearer: the search keeps its distance
        // where it can, rather than learn of a dead end from every way into it.
        if (!held && d < kDangerCells) {
            s.danger += (kDangerCells - d) * kDangerTicks;
        }
    }
    s.toGo = s.gold == 0 ? kTicksPerCell * at.row : std::max(nearest, 0ll);
    return s;
}

struct Node {
    int parent = -1;
    long long ticks = 0;
    long long cost = 0;        // ticks, with digs and waits made dearer
    std::vector<KeyRun> runs;  // the move that led here from the parent
    bool enemiesNear = false;
};

struct QueueEntry {
    long long priority;
    int node;
    bool operator>(const QueueEntry& other) const {
        if (priority != other.priority) {
            return priority > other.priority;
        }
        return node > other.node;
    }
};

// The situations held whole, the least recently used let go first.
class HeldWhole {
public:
    const GameSnapshot* find(int node) {
        auto it = byNode_.find(node);
        if (it == byNode_.end()) {
            return nullptr;
        }
        order_.splice(order_.begin(), order_, it->second.second);
        return &it->second.first;
    }
    void keep(int node, GameSnapshot snapshot) {
        if (byNode_.count(node) != 0) {
            return;
        }
        if (byNode_.size() >= kHeldWhole) {
            byNode_.erase(order_.back());
            order_.pop_back();
        }
        order_.push_front(node);
        byNode_.emplace(node, std::make_pair(std::move(snapshot), order_.begin()));
    }

private:
    std::list<int> order_;
    std::unordered_map<int, std::pair<GameSnapshot, std::list<int>::iterator>> byNode_;
};

}  // namespace

Solution searchProof(App& app, const GameSetup& setup, const ProofLimits& limits) {
    Solution solution;
    Game game(app, setup);
    long long reveal = 0;
    while (game.flow().state() == GameFlow::State::Reveal) {
        game.step(0);
        ++reveal;
    }
    if (game.grid().goldCount == 0) {
        solution.reason = "no gold: the level has no exit";
        return solution;
    }
    // The first situation is held apart from the others, so that it is never let go.
    const GameSnapshot start(game.flow());
    HeldWhole held;

    // Puts the game in a situation: from the nearest one held whole, the moves since.
    std::vector<Node> nodes;
    auto enter = [&](int node) {
        std::vector<int> path;
        const GameSnapshot* from = nullptr;
        int at = node;
        for (; at > 0; at = nodes[static_cast<std::size_t>(at)].parent) {
            if ((from = held.find(at)) != nullptr) {
                break;
            }
            path.push_back(at);
        }
        (from != nullptr ? *from : start).restore(game.flow());
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            for (const KeyRun& run : nodes[static_cast<std::size_t>(*it)].runs) {
                for (long long t = 0; t < run.count; ++t) {
                    game.step(run.keys);
                }
            }
        }
        if (!path.empty()) {
            held.keep(node, GameSnapshot(game.flow()));
        }
    };

    std::unordered_set<Key, KeyHash> seen;
    std::unordered_map<Key, int, KeyHash> timingsAt;
    std::priority_queue<QueueEntry, std::vector<QueueEntry>, std::greater<>> open;
    const Situation first = situationOf(game);
    nodes.push_back(Node{-1, 0, 0, {}, first.enemiesNear});
    seen.insert(first.timing);
    timingsAt[first.place] = 1;
    open.push(QueueEntry{0, 0});

    int goal = -1;
    int fewestGold = first.gold;
    while (!open.empty() && goal < 0) {
        const QueueEntry entry = open.top();
        open.pop();
        if (seen.size() >= limits.maxStates) {
            solution.reason = "gave up after " + std::to_string(seen.size()) + " situations";
            break;
        }
        const bool enemiesNear = nodes[static_cast<std::size_t>(entry.node)].enemiesNear;
        for (int action = 0; action < kMovesWithEnemies && goal < 0; ++action) {
            if (action >= kMovesWithoutEnemies && !enemiesNear) {
                break;  // a trap or a pause with no enemy about only makes more situations
            }
            enter(entry.node);
            Move move(game);
            const long long penalty = playMove(move, action);
            if (move.outcome == Outcome::Broken) {
                continue;
            }
            const Situation s = situationOf(game);
            if (move.outcome != Outcome::Goal) {
                if (seen.count(s.timing) != 0 || timingsAt[s.place] >= limits.timingsPerPlace) {
                    continue;
                }
                seen.insert(s.timing);
                ++timingsAt[s.place];
            }
            const Node& parent = nodes[static_cast<std::size_t>(entry.node)];
            Node child{entry.node, parent.ticks + move.ticks, parent.cost + move.ticks + penalty,
                       std::move(move.runs), s.enemiesNear};
            const long long priority =
                child.cost + kGreed * s.toGo + s.danger + kTicksPerGold * s.gold;
            nodes.push_back(std::move(child));
            const int index = static_cast<int>(nodes.size() - 1);
            fewestGold = std::min(fewestGold, s.gold);
            if (move.outcome == Outcome::Goal) {
                goal = index;
            } else {
                open.push(QueueEntry{priority, index});
            }
        }
    }
    solution.statesSeen = seen.size();
    if (goal < 0) {
        if (solution.reason.empty()) {
            solution.reason = "no way through: every situation kept was tried (" +
                              std::to_string(seen.size()) + ")";
        }
        solution.reason +=
            fewestGold == 0 ? "; all the gold was taken, but the top row not "
                              "reached alive after it"
                            : "; at best " + std::to_string(fewestGold) + " gold pieces were left";
        return solution;
    }

    std::vector<int> path;
    for (int at = goal; at > 0; at = nodes[static_cast<std::size_t>(at)].parent) {
        path.push_back(at);
    }
    solution.runs.push_back(KeyRun{reveal, 0});
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        appendRuns(solution.runs, nodes[static_cast<std::size_t>(*it)].runs);
    }
    for (const KeyRun& run : solution.runs) {
        solution.ticks += run.count;
    }
    solution.found = true;
    return solution;
}

}  // namespace glint::tool
