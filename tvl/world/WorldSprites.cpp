#include "world/WorldSprites.h"

#include "core/Angle.h"
#include "core/Framework.h"
#include "core/Geometry.h"
#include "core/Random.h"
#include "graphics/CachedShader.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/Images.h"
#include "world/Items.h"
#include "world/Player.h"
#include "world/ShaderParams.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

namespace tvl {

namespace {

const sf::Color white(255, 255, 255, 255);

// One animation per slot of the player list, so two stunned players spark at the same pace.
std::vector<SparkAnimation> playerSparks;

void setSpriteUniforms(kv::CachedShader& shader, const WorldView& view, const kv::sfSprite& sprite,
                       const TextureRecord& texture, float angle, int objectId, bool sideColourSwap,
                       const sf::Color& sideColour)
{
    namespace u = kv::shaderUniforms::Sprite;
    using shaderParams::set;
    const sf::Texture* spriteTexture = sprite.getTexture();
    const sf::Vector2u textureSize = spriteTexture ? spriteTexture->getSize() : sf::Vector2u(1, 1);
    const sf::FloatRect local = sprite.getLocalBounds();
    const sf::IntRect rect = sprite.getTextureRect();
    shaderParams::setCurrentTexture(shader, u::texture);
    set(shader, u::sideColour, sideColour);
    set(shader, u::sideColourSwap, sideColourSwap ? 1 : 0);
    set(shader, u::textureSize, sf::Vector2f(float(textureSize.x), float(textureSize.y)));
    set(shader, u::imageSize, sf::Vector2f(local.width, local.height));
    set(shader, u::imagePos, sf::Vector2f(float(rect.left), float(rect.top)));
    set(shader, u::hasMaskTexture, texture.hasMask ? 1 : 0);
    if (texture.hasMask)
        set(shader, u::maskTexture, texture.mask);
    set(shader, u::screenSize, kv::renderWindow->getView().getSize());
    set(shader, u::renderScale, 1.0f);
    set(shader, u::mapScroll, view.scroll);
    set(shader, u::time, kv::programClock.getElapsedTime().asSeconds());
    set(shader, u::grimeEnabled, 1);
    set(shader, u::shineEnabled, 1);
    set(shader, u::angle, angle * kv::radiansToDegrees);
    set(shader, u::objectID, objectId);
}

sf::Vector2f localSize(int image)
{
    if (image < 0 || image >= imageCount)
        return {0, 0};
    const sf::FloatRect local = (*images)[image].sprite.getLocalBounds();
    return {local.width, local.height};
}

void drawSparks(SparkAnimation& sparks, const sf::Vector2f& position, float angle, float dt)
{
    std::vector<kv::sfSprite>& frames = *sparkSprites;
    advanceSparks(sparks, dt, static_cast<int>(frames.size()));
    if (frames.empty())
        return;
    kv::sfSprite& spark = frames[sparks.frame];
    const float scale = worldView.worldRenderScale * 0.25f;
    spark.setScale(scale, scale);
    spark.setPosition(position);
    spark.setRotation(angle * kv::radiansToDegrees);
    spark.setColor(sf::Color(255, 128, 128, 255));
    kv::getRenderLayer(kv::layerGround)->draw(spark);
    spark.setColor(white);
    spark.setScale(1, 1);
    spark.setRotation(0);
}

} // namespace

sf::Vector2f spriteScale(float scale, float renderScale)
{
    if (scale == -1.0f)
        return {1, 1};
    return {scale * renderScale, scale * renderScale};
}

sf::Vector2f lightScale(float scale, float renderScale, const sf::Vector2f& drawScale)
{
    const sf::Vector2f onTexture = spriteScale(scale, renderScale);
    return {onTexture.x / drawScale.x, onTexture.y / drawScale.y};
}

float shadowOffset(float shadowDistance, float scale, float renderScale)
{
    if (scale == -1.0f)
        return shadowDistance;
    return shadowDistance * renderScale * scale;
}

void drawSpriteShaded(WorldView& view, int image, const sf::Vector2f& position, const float& angle,
                      float shadowDistance, int objectId, float scale, bool sideColourSwap,
                      const sf::Color& sideColour)
{
    if (image < 0 || image >= imageCount)
        return;
    ImageRecord& record = (*images)[image];
    kv::sfSprite& sprite = record.sprite;
    const sf::Vector2f factor = spriteScale(scale, view.worldRenderScale);
    sprite.setScale(factor);
    sprite.setRotation(angle * kv::radiansToDegrees);
    kv::RenderLayer* layer = kv::getRenderLayer(kv::layerGround);

    kv::ShaderSlot& shadow = kv::getShaderSlot(kv::shaderSpriteShadow);
    if (shadowDistance > 0 && shadow.loaded) {
        const float d = shadowOffset(shadowDistance, scale, view.worldRenderScale);
        sprite.setPosition(position.x + d, position.y + d);
        shaderParams::setCurrentTexture(*shadow.shader, kv::shaderUniforms::SpriteShadow::texture);
        layer->draw(sprite, sf::RenderStates(shadow.shader));
    }

    sprite.setPosition(position);
    kv::ShaderSlot& program = kv::getShaderSlot(view.spriteShader);
    if (program.loaded) {
        int textureIndex = record.textureIndex;
        if (textureIndex < 0 || textureIndex >= textureCount)
            textureIndex = 0;
        setSpriteUniforms(*program.shader, view, sprite, (*textures)[textureIndex], angle, objectId,
                          sideColourSwap, sideColour);
        layer->draw(sprite, sf::RenderStates(program.shader));
    } else {
        layer->draw(sprite);
    }
    sprite.setRotation(0);
    sprite.setScale(1, 1);
}

void updateMapSprite(MapSprite& sprite, const ImageRecord& image, float dt)
{
    if (image.randomTurn && image.turnSpeed != 0) {
        sprite.turnTimer -= dt;
        if (sprite.turnTimer <= 0) {
            sprite.targetAngle = kv::degrees(kv::randomFloat(0, 360)).wrapUnsigned().asRadians();
            sprite.turnTimer = 3 + 7 * kv::randomFloat(0, 1);
        }
        const kv::Angle current = kv::radians(sprite.angle), target = kv::radians(sprite.targetAngle);
        if (!kv::anglesWithin(current, target, 1.0f)) {
            bool turnedDown = false, turnedUp = false;
            const float stepDegrees = image.turnSpeed * dt;
            sprite.angle = kv::turnTowards(current, target, stepDegrees, turnedDown, turnedUp).asRadians();
        }
    }
    if (image.rotateSpeed != 0) {
        const float stepDegrees = image.rotateSpeed * dt;
        sprite.angle = (kv::radians(sprite.angle) + kv::degrees(stepDegrees)).wrapUnsigned().asRadians();
    }
}

void advanceSparks(SparkAnimation& sparks, float dt, int frameCount)
{
    sparks.timer -= dt;
    if (sparks.timer > 0)
        return;
    sparks.timer = sparkFrameSeconds;
    sparks.frame = frameCount > 0 ? (sparks.frame + 1) % frameCount : 0;
}

void drawMapSprites(float dt)
{
    WorldView& view = worldView;
    for (size_t i = 0; i < mapSprites.size(); ++i) {
        MapSprite& sprite = mapSprites[i];
        if (sprite.imageIndex < 0 || sprite.imageIndex >= imageCount)
            continue;
        const ImageRecord& image = (*images)[sprite.imageIndex];
        const sf::Vector2f position(sprite.x, sprite.y);
        // Between draws the sprite is unturned and unscaled: its bounds are its own size.
        const sf::FloatRect bounds = image.sprite.getGlobalBounds();
        if (isOnScreen(position, sf::Vector2f(bounds.width, bounds.height), sprite.angle))
            drawSpriteShaded(view, sprite.imageIndex, worldToTexture(position, view.scroll, view.worldRenderScale),
                             sprite.angle, 0, static_cast<int>(i), 1.0f, false, white);
        if (!game.paused)
            updateMapSprite(sprite, image, dt);
    }
}

void drawPickups()
{
    WorldView& view = worldView;
    for (const Pickup& pickup : game.pickups) {
        const bool isItem = pickup.type >= 0 && pickup.type < itemTypeCount;
        const int image = isItem ? itemImageNumbers[pickup.type] : 0;
        const sf::Vector2f size = isItem ? localSize(image) * 2.0f : sf::Vector2f(0, 0);
        const sf::Vector2f position(pickup.x, pickup.y);
        if (!isOnScreen(position, size, 0.0f))
            continue;
        drawSpriteShaded(view, image, worldToTexture(position, view.scroll, view.worldRenderScale), pickup.angle,
                         10.0f, 100, 0.5f, false, white);
    }
}

void drawToken()
{
    if (!game.token.present)
        return;
    WorldView& view = worldView;
    const sf::Vector2f position(game.token.x, game.token.y);
    const sf::Vector2f onTexture = worldToTexture(position, view.scroll, view.worldRenderScale);
    // The light reaches further than the sprite: it is queued even when the token is not in view.
    game.token.light.submit(kv::layerDisplay, onTexture, game.token.angle,
                            lightScale(1.0f, view.worldRenderScale, kv::currentDrawScale));
    if (!isOnScreen(position, localSize(tokenImageNumber) * 4.0f, 0.0f))
        return;
    drawSpriteShaded(view, tokenImageNumber, onTexture, game.token.angle, 10.0f, 100, 1.0f, false, white);
}

void drawPlayers(float dt)
{
    WorldView& view = worldView;
    if (playerSparks.size() < game.players.size())
        playerSparks.resize(game.players.size());
    for (size_t i = 0; i < game.players.size(); ++i) {
        const Player* player = game.players[i].get();
        if (!player)
            continue;
        const sf::Vector2f position(player->x, player->y);
        const float side = 2 * player->radius;
        if (!isOnScreen(position, sf::Vector2f(side, side), 0.0f))
            continue;
        const sf::Vector2f texturePosition = worldToTexture(position, view.scroll, view.worldRenderScale);
        drawSpriteShaded(view, shipImageNumber, texturePosition, player->angle, 10.0f, player->playerId, 1.0f, true,
                         player->colour);
        if (player->droneActive)
            drawSpriteShaded(view, itemImageNumbers[Drone],
                             worldToTexture(sf::Vector2f(player->droneX, player->droneY), view.scroll,
                                            view.worldRenderScale),
                             player->droneAngle, 10.0f, player->playerId, 0.6f, false, white);
        if (player->isDisabled())
            drawSparks(playerSparks[i], texturePosition, player->angle, dt);
    }
}

} // namespace tvl
