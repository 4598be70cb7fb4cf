#pragma once
// The process command line as one text, as the original platform hands it
// over: the program path, then the parameters separated by spaces. The
// program's entry records its arguments; an argument holding a space is
// put in double quotes, so the application's parser cuts it out whole.
#include <string>

namespace Plix {

void SetCommandLineArgs(int argc, const char* const* argv);
// The text itself, as the original hands it over.
void SetCommandLineText(const std::string& text);
// Empty until set.
std::string GetCommandLineA();

}  // namespace Plix
