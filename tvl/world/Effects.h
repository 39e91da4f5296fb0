#pragma once
// Effect instances: smoke, fire, debris, wildlife and plants.
namespace tvl {
extern bool plantListReady;
void clearPlants();
}
