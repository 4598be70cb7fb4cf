// The hand-written tables of data/ as the data builder reads them.
#pragma once

#include <string>
#include <vector>

namespace Plix::DataBuild {

// One row of data/images.txt.
struct ImageDecl {
  std::string id;
  std::string group;
  int cols = 1;
  int rows = 1;
  int celWidth = 0;
  int celHeight = 0;
  std::string file;   // relative to the staging folder, forward slashes
  std::string what;   // what the image shows
  int Width() const { return cols * celWidth; }
  int Height() const { return rows * celHeight; }
};

struct SoundDecl {
  std::string id;
  std::string file;  // base name, without ".wav"
  bool loop = false;
  std::vector<std::string> elements;
};

struct FontDecl {
  std::string id;
  std::string file;       // description script
  std::string face;       // font file name
  int pixelSize = 0;
  int pointSize = 0;
  std::string style;
  std::string chars;
  bool tabular = false;
};

// Manifest entries as the manifest source declares them.
struct ManifestEntry {
  std::string kind;  // Image, Sound, Font
  std::string id;
  std::string group;
  std::string path;
  int cols = 1;
  int rows = 1;
};

// Each reader throws std::runtime_error naming the file and line on bad input.
std::vector<ImageDecl> ReadImageTable(const std::string& path);
std::vector<SoundDecl> ReadSoundTable(const std::string& path);
std::vector<FontDecl> ReadFontTable(const std::string& path);
std::vector<ManifestEntry> ReadManifest(const std::string& path);

// Checks that the manifest and the three tables declare the same ids with
// the same files and cel grids; throws with every disagreement listed.
void CheckManifest(const std::vector<ManifestEntry>& manifest, const std::vector<ImageDecl>& images,
                   const std::vector<SoundDecl>& sounds, const std::vector<FontDecl>& fonts);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// Creates the folders of a file path.
void MakeParentDirs(const std::string& path);

}  // namespace Plix::DataBuild
