#include "game/app/GameHost.h"

#include "game/app/Particle.h"

namespace Plix {

namespace {
GameHost gDefaultHost;
GameHost* gHost = &gDefaultHost;
}  // namespace

void GameHost::AddParticle(Particle* particle) { delete particle; }

GameHost* GetGameHost() { return gHost; }

void SetGameHost(GameHost* host) { gHost = host ? host : &gDefaultHost; }

}  // namespace Plix
