#pragma once

#include <string>
#include <vector>

#include "tools/databuild/Tables.h"

namespace Plix::DataBuild {

// Paints every declared image into stage/<file> and writes one contact sheet
// per group into contactDir. Uses up to threads worker threads.
void BuildImages(const std::vector<ImageDecl>& images, const std::string& stage,
                 const std::string& contactDir, int threads);

}  // namespace Plix::DataBuild
