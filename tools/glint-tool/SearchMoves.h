// The moves a search for a completing key script is made of: walking or climbing one cell,
// digging (and dropping into the hole), waiting; each held tick after tick on a real game until
// the figure rests again, so that whatever the game does with the keys is what the search sees.
#pragma once

#include <algorithm>
#include <vector>

#include "LevelSolver.h"
#include "world/Actor.h"
#include "world/LevelGrid.h"

namespace glint::tool {

constexpr int kTickMs = 30;
// How much dearer than its ticks a dig or a wait looks to a search.
constexpr long long kDigPenalty = 40;
constexpr long long kWaitPenalty = 20;
// A short wait: about the time an enemy takes to walk two thirds of a cell.
constexpr int kPauseTicks = 8;
// Longest a figure may fall, in ticks, before the search calls the move broken.
constexpr int kMaxSettleTicks = 600;
// Longest a single step (a cell walked or climbed) may take.
constexpr int kMaxStepTicks = 60;
// Longest wait for a hole to close.
constexpr int kMaxWaitTicks = 400;

// The cells a figure is not held up in, and the cells below it that do not hold it up: the
// player's fall test with no enemy about.
inline bool letsFall(const Tile* t) {
    return t == nullptr || t->kind == TileKind::Gold || t->kind == TileKind::Brick ||
           t->kind == TileKind::TrapBrick || t->kind == TileKind::HiddenLadder;
}

inline bool fallsInto(const Tile* t) {
    return t == nullptr || t->kind == TileKind::Gold || t->kind == TileKind::Rope ||
           t->kind == TileKind::HiddenLadder || t->kind == TileKind::TrapBrick ||
           (t->kind == TileKind::Brick && t->isPassable());
}

enum class Outcome { Rest, Broken, Goal };

// One move being played: the ticks it holds keys for and how it ended. The World gives it
// step(keys) (one game tick with those keys held), player(), grid(), falling(), cell(),
// nearCentre(), unsupported(cell) (the player's fall test there), walledIn() and openBricks().
template <typename World>
class Move {
public:
    explicit Move(World& world) : world_(world) {}

    // One tick; false once the move is over (the player died or the level is complete).
    bool tick(unsigned keys) {
        world_.step(keys);
        ++ticks;
        if (!runs.empty() && runs.back().keys == keys) {
            ++runs.back().count;
        } else {
            runs.push_back(KeyRun{1, keys});
        }
        if (world_.player().dead) {
            outcome = Outcome::Broken;
            return false;
        }
        if (world_.grid().levelComplete) {
            outcome = Outcome::Goal;
            return false;
        }
        return true;
    }

    // Lets a fall run its course with no key held.
    Outcome settle() {
        for (int i = 0; i < kMaxSettleTicks && world_.falling(); ++i) {
            if (!tick(0)) {
                return outcome;
            }
        }
        return outcome = world_.falling() ? Outcome::Broken : Outcome::Rest;
    }

    // Walks or climbs into the next cell in the key's direction, and falls if the cell does
    // not hold the player up.
    Outcome step(unsigned key) {
        const Cell start = world_.cell();
        for (int i = 0; i < kMaxStepTicks; ++i) {
            if (world_.falling()) {
                return settle();
            }
            const Vec3 before = world_.player().position();
            if (!tick(key)) {
                return outcome;
            }
            if (world_.falling()) {
                continue;
            }
            const Cell now = world_.cell();
            if (!(now == start) && world_.nearCentre()) {
                // The fall test is made at a cell's centre: one more tick makes it.
                if (world_.unsupported(now)) {
                    if (!tick(key)) {
                        return outcome;
                    }
                    return settle();
                }
                return outcome = Outcome::Rest;
            }
            const Vec3 after = world_.player().position();
            if (after.x == before.x && after.y == before.y) {
                return outcome = Outcome::Broken;  // against a wall, or nothing to climb
            }
        }
        return outcome = Outcome::Broken;
    }

    // Digs on one side, turning first when the player faces the other way, and steps into the
    // new hole: a hole is only of use to a player who goes into it (no enemy is about to be
    // caught), and it stays open for seconds, long enough for anything done after the drop.
    Outcome digAndDrop(int direction) {
        if (dig(direction) != Outcome::Rest) {
            return outcome;
        }
        if (step(direction < 0 ? kHoldLeft : kHoldRight) == Outcome::Rest && world_.walledIn()) {
            outcome = Outcome::Broken;  // it can only wait there for the brick to close on it
        }
        return outcome;
    }

    // Digs on one side, turning first when the player faces the other way.
    Outcome dig(int direction) {
        Actor& p = world_.player();
        if (p.facing != direction) {
            if (!tick(direction < 0 ? kHoldLeft : kHoldRight)) {
                return outcome;
            }
            if (world_.falling() || p.facing != direction) {
                return outcome = Outcome::Broken;
            }
        }
        for (int i = 0; i < 20; ++i) {
            const Cell at = world_.cell();
            std::vector<Tile*> closed;
            for (int c = at.column - 1; c <= at.column + 1; ++c) {
                Tile* t = world_.grid().tileAt(c, at.row + 1);
                if (isKind(t, TileKind::Brick) && !t->isPassable()) {
                    closed.push_back(t);
                }
            }
            if (!tick(kHoldFire)) {
                return outcome;
            }
            if (p.fireCooldown == 500) {
                const bool dug = std::any_of(closed.begin(), closed.end(),
                                             [](const Tile* t) { return t->isPassable(); });
                if (!dug) {
                    return outcome = Outcome::Broken;
                }
                return settle();
            }
        }
        return outcome = Outcome::Broken;
    }

    // Stands still for some ticks (an enemy walks on, or into a hole).
    Outcome pause(int count) {
        for (int i = 0; i < count; ++i) {
            if (!tick(0)) {
                return outcome;
            }
        }
        return outcome = Outcome::Rest;
    }

    // Stands still until a hole closes.
    Outcome wait() {
        const int open = world_.openBricks();
        if (open == 0) {
            return outcome = Outcome::Broken;
        }
        for (int i = 0; i < kMaxWaitTicks; ++i) {
            if (!tick(0)) {
                return outcome;
            }
            if (world_.openBricks() < open) {
                return settle();
            }
        }
        return outcome = Outcome::Broken;
    }

    std::vector<KeyRun> runs;
    long long ticks = 0;
    Outcome outcome = Outcome::Rest;

private:
    World& world_;
};

// The moves a search tries from a situation, in this order. The first seven serve a game without
// enemies; digging without going into the hole and a short pause only matter with enemies about.
constexpr int kMovesWithoutEnemies = 7;
constexpr int kMovesWithEnemies = 10;

// Plays move number `which` of that list; returns how much dearer than its ticks it looks.
template <typename World>
long long playMove(Move<World>& move, int which) {
    switch (which) {
        case 0:
        case 1:
            move.step(which == 0 ? kHoldLeft : kHoldRight);
            return 0;
        case 2:
        case 3:
            move.step(which == 2 ? kHoldUp : kHoldDown);
            return 0;
        case 4:
        case 5:
            move.digAndDrop(which == 4 ? -1 : 1);
            return kDigPenalty;
        case 6:
            move.wait();
            return kWaitPenalty;
        case 7:
        case 8:
            // A hole left open behind or ahead, for an enemy to fall into.
            move.dig(which == 7 ? -1 : 1);
            return kDigPenalty;
        default:
            move.pause(kPauseTicks);
            return kWaitPenalty;
    }
}

}  // namespace glint::tool
