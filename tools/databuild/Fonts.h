#pragma once

#include <string>
#include <vector>

#include "tools/databuild/Tables.h"

namespace Plix::DataBuild {

// Rasterises every declared font into its glyph images and writes its
// description script into the staging folder.
void BuildFonts(const std::vector<FontDecl>& fonts, const std::string& stage);

}  // namespace Plix::DataBuild
