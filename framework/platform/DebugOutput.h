#pragma once
// The debugger output of the original platform. Text goes to standard
// error only when asked for (-debug, or PLIX_DEBUG); tests can capture it
// with a sink. What the player must read goes through TellPlayer.
#include <functional>
#include <string>

namespace Plix {

void OutputDebugStringA(const char* text);
inline void OutputDebugStringA(const std::string& text) { OutputDebugStringA(text.c_str()); }

// Replaces where debug text goes; an empty function restores standard error.
void SetDebugOutputSink(std::function<void(const std::string&)> sink);
// Whether debug text without a sink reaches standard error.
void SetDebugOutputToStderr(bool on);

// One line the player must read (a file that could not be read or written,
// a fatal error): always on standard error, whatever becomes of debug text.
void TellPlayer(const std::string& line);
// Replaces where those lines go (tests); an empty function restores
// standard error (or the debug sink, while one is set).
void SetPlayerOutputSink(std::function<void(const std::string&)> sink);

}  // namespace Plix
