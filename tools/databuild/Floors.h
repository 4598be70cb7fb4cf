#pragma once

#include <string>

namespace Plix::DataBuild {

// Turns every readable floor source data/floors/<name>.floor into the
// game's environment file <outDir>/<name>.len.
void BuildFloors(const std::string& floorDir, const std::string& outDir);

// One floor source as environment file text; throws naming the file and line.
std::string FloorToEnvironment(const std::string& path);

}  // namespace Plix::DataBuild
