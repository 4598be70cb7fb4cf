#pragma once

#include <string>

namespace Plix::DataBuild {

// Composes the game's songs and writes them as looping Ogg Vorbis files
// (44100 Hz stereo) into outDir ("song1.ogg" ... "game_complete.ogg").
void BuildSongs(const std::string& outDir, int threads);

}  // namespace Plix::DataBuild
