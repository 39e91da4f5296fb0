#pragma once
// World sprites: map sprites, pickups, the token and the players, drawn into the world.
namespace tvl {
void drawMapSprites(float dt);
void drawPickups();
// The token, when one is in play.
void drawToken();
void drawPlayers(float dt);
}
