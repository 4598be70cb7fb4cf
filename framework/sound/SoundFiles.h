#pragma once
// Every sound and song file is read through the pak file layer.
#include "framework/resources/PakInterface.h"

namespace Plix {

// Makes the music libraries of the platform layer read through the pak
// layer too (songs in the archive or beside it). Safe to call again.
void InstallSoundFileAccess();

}  // namespace Plix
