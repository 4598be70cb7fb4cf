#pragma once
// What the shared game pieces (particles, balloons) need of the application
// object: playing a sound, the mouse cursor and the application-wide
// particle list. GameApp implements it and sets itself as the process-wide
// host; until then (and in tests) a host answers that plays nothing and
// deletes the particles handed to it.

namespace Plix {

class Particle;

class GameHost {
public:
  GameHost() = default;
  virtual ~GameHost() = default;
  GameHost(const GameHost&) = delete;
  GameHost& operator=(const GameHost&) = delete;

  // Plays the sound once; an id without a sample plays nothing.
  virtual void PlaySound(int soundId) {}
  // The application's cursor, 0 pointer, 1 hand.
  virtual void SetCursor(int cursorNum) {}
  // The particle list takes the particle over.
  virtual void AddParticle(Particle* particle);
};

// Never null: the do-nothing host until the application sets itself.
GameHost* GetGameHost();
// Null restores the do-nothing host.
void SetGameHost(GameHost* host);

}  // namespace Plix
