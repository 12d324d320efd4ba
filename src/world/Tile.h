// What a cell of the level holds: bricks, solid blocks, trap bricks, ladders, hidden ladders,
// gold and ropes, each with the picture of the current skin.
#pragma once

#include <memory>

#include "render/Sprite.h"

namespace glint {

class Random;

class App;
class LevelGrid;

// The codes figures test; a revealed hidden ladder changes its kind to Ladder.
enum class TileKind : int {
    Brick = 1,
    Solid = 2,
    TrapBrick = 3,
    Ladder = 4,
    HiddenLadder = 5,
    Gold = 6,
    Rope = 7,
};

class Tile {
public:
    explicit Tile(TileKind kind) : kind(kind) {}
    virtual ~Tile() = default;

    // A new tile of the same class in the same state: a game can be saved whole and put back.
    virtual std::unique_ptr<Tile> clone() const = 0;
    // Takes over the state of a tile of the same class (false, and nothing changed, for a tile
    // of another class): putting a saved game back need not make every tile anew.
    virtual bool takeOver(const Tile& other) = 0;
    virtual void draw() const { sprite.draw(true); }
    virtual bool isPassable() const { return false; }
    virtual void trigger() {}
    virtual void tick() {}

    void setPosition(const Vec3& position) { sprite.position = position; }

    TileKind kind;
    Sprite sprite;

protected:
    // Only clone() and takeOver() copy a tile, so that a copy always keeps its class.
    Tile(const Tile&) = default;
    Tile& operator=(const Tile&) = default;
};

// The clone() of each tile class: a copy of the whole tile.
template <typename Derived>
class ClonableTile : public Tile {
public:
    using Tile::Tile;
    std::unique_ptr<Tile> clone() const override {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
    bool takeOver(const Tile& other) override {
        const auto* same = dynamic_cast<const Derived*>(&other);
        if (same == nullptr) {
            return false;
        }
        static_cast<Derived&>(*this) = *same;
        return true;
    }
};

class SolidTile : public ClonableTile<SolidTile> {
public:
    SolidTile() : ClonableTile(TileKind::Solid) {}
};

// Drawn exactly as a brick, but figures fall through it.
class TrapBrickTile : public ClonableTile<TrapBrickTile> {
public:
    TrapBrickTile() : ClonableTile(TileKind::TrapBrick) {}
    bool isPassable() const override { return true; }
};

class LadderTile : public ClonableTile<LadderTile> {
public:
    LadderTile() : ClonableTile(TileKind::Ladder) {}
    bool isPassable() const override { return true; }
};

// Invisible until the last gold piece is taken; then a ladder like any other.
class HiddenLadderTile : public ClonableTile<HiddenLadderTile> {
public:
    HiddenLadderTile() : ClonableTile(TileKind::HiddenLadder) {}
    bool isPassable() const override { return true; }
    void trigger() override {
        sprite.setVisible(true);
        kind = TileKind::Ladder;
    }
};

class GoldTile : public ClonableTile<GoldTile> {
public:
    GoldTile() : ClonableTile(TileKind::Gold) {}
    bool isPassable() const override { return true; }
};

class RopeTile : public ClonableTile<RopeTile> {
public:
    RopeTile() : ClonableTile(TileKind::Rope) {}
    bool isPassable() const override { return true; }
};

// A new tile of the given kind with its sprite for the current skin, sized to a cell and
// centred on `centre`. A gold piece draws its animation group from random.
std::unique_ptr<Tile> makeTile(TileKind kind, App& app, const Vec3& centre, Random& random);

// The kind of a level-file character, or 0 for characters that make no tile.
int tileKindOfCharacter(char c);

}  // namespace glint
