// What a cell of the level holds, made with the pictures of the current skin.
#include "world/Tile.h"

#include "app/App.h"
#include "world/BrickTile.h"
#include "world/Random.h"

namespace glint {

std::unique_ptr<Tile> makeTile(TileKind kind, App& app, const Vec3& centre, Random& random) {
    AssetCatalogue& catalogue = *app.catalogue;
    std::unique_ptr<Tile> tile;
    SkinGroup sheet = kSkinBrick;
    switch (kind) {
        case TileKind::Brick:
            tile = std::make_unique<BrickTile>(app.settings);
            break;
        case TileKind::Solid:
            tile = std::make_unique<SolidTile>();
            sheet = kSkinSolid;
            break;
        case TileKind::TrapBrick:
            tile = std::make_unique<TrapBrickTile>();
            break;
        case TileKind::Ladder:
            tile = std::make_unique<LadderTile>();
            sheet = kSkinLadder;
            break;
        case TileKind::HiddenLadder:
            tile = std::make_unique<HiddenLadderTile>();
            sheet = kSkinLadder;
            break;
        case TileKind::Gold:
            tile = std::make_unique<GoldTile>();
            sheet = kSkinGold;
            break;
        case TileKind::Rope:
            tile = std::make_unique<RopeTile>();
            sheet = kSkinRope;
            break;
    }
    Sprite& sprite = tile->sprite;
    sprite = catalogue.skinSprite(sheet);
    const float cell = app.settings.m_cell_size;
    sprite.setSize(cell, cell);
    switch (kind) {
        case TileKind::Brick:
            sprite.setFrameTime(100);
            break;
        case TileKind::Ladder:
            sprite.blended = true;
            break;
        case TileKind::HiddenLadder:
            sprite.blended = true;
            sprite.setVisible(false);
            break;
        case TileKind::Gold:
            sprite.blended = true;
            sprite.flipV = true;
            sprite.setGroup(random.next() % sprite.groups);
            break;
        case TileKind::Rope:
            sprite.blended = true;
            sprite.flipV = true;
            break;
        default:
            break;
    }
    tile->setPosition(Vec3{centre.x, centre.y, 0.0f});
    return tile;
}

int tileKindOfCharacter(char c) {
    switch (c) {
        case 'T':
            return static_cast<int>(TileKind::Brick);
        case 'M':
            return static_cast<int>(TileKind::Solid);
        case 'U':
            return static_cast<int>(TileKind::TrapBrick);
        case 'H':
            return static_cast<int>(TileKind::Ladder);
        case '#':
            return static_cast<int>(TileKind::HiddenLadder);
        case '*':
            return static_cast<int>(TileKind::Gold);
        case '-':
            return static_cast<int>(TileKind::Rope);
        default:
            return 0;
    }
}

}  // namespace glint
