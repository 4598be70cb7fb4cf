// The sample file readers of the sound manager: each decodes a whole file
// into the id's static buffer. Every file is read through the pak layer.
#include <tremor/ivorbisfile.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/platform/AudioFiles.h"
#include "framework/platform/Files.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/FModLoader.h"
#include "framework/sound/SoundFiles.h"

namespace Plix {

namespace {

// The key our cache files are written with.
constexpr uint8_t kCacheKey = 0x5A;

// Closes the file when the reader returns.
class PakFile {
public:
  explicit PakFile(PakHandle* f) : mF(f) {}
  ~PakFile() { Close(); }
  PakFile(const PakFile&) = delete;
  PakFile& operator=(const PakFile&) = delete;
  void Close() {
    if (mF) PakFClose(mF);
    mF = nullptr;
  }
  PakHandle* get() const { return mF; }

private:
  PakHandle* mF;
};

bool ReadBytes(PakHandle* f, void* p, size_t n) { return PakFRead(p, 1, n, f) == n; }

bool ReadLe16(PakHandle* f, uint16_t& v) {
  uint8_t b[2];
  if (!ReadBytes(f, b, 2)) return false;
  v = static_cast<uint16_t>(b[0] | b[1] << 8);
  return true;
}

bool ReadLe32(PakHandle* f, uint32_t& v) {
  uint8_t b[4];
  if (!ReadBytes(f, b, 4)) return false;
  v = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  return true;
}

bool ReadBe32(PakHandle* f, uint32_t& v) {
  uint8_t b[4];
  if (!ReadBytes(f, b, 4)) return false;
  v = static_cast<uint32_t>(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3];
  return true;
}

bool ReadTag(PakHandle* f, const char* tag) {
  char b[4];
  return ReadBytes(f, b, 4) && std::memcmp(b, tag, 4) == 0;
}

int64_t FileSize(PakHandle* f) {
  const long here = PakFTell(f);
  PakFSeek(f, 0, SEEK_END);
  const long end = PakFTell(f);
  PakFSeek(f, here, SEEK_SET);
  return end;
}

int MuLawSample(uint8_t b) {
  const int sign = b >= 128 ? 1 : -1;
  const int u = b | 0x80;
  int m;
  if (u > 239)
    m = (255 - u) * 2;
  else if (u > 223)
    m = (247 - u) * 4;
  else if (u > 207)
    m = (235 - u) * 8;
  else if (u > 191)
    m = (221 - u) * 16;
  else if (u > 175)
    m = (206 - u) * 32;
  else if (u > 159)
    m = 12192 - 64 * u;
  else if (u > 143)
    m = 22368 - 128 * u;
  else if (u > 128)
    m = 40672 - 256 * u;
  else
    m = 255;
  return sign * m * 4;
}

size_t OggRead(void* p, size_t size, size_t count, void* f) {
  return PakFRead(p, size, count, static_cast<PakHandle*>(f));
}
int OggClose(void* f) { return PakFClose(static_cast<PakHandle*>(f)); }
long OggTell(void* f) { return PakFTell(static_cast<PakHandle*>(f)); }

void Put(FILE* fp, const void* p, size_t n) { std::fwrite(p, 1, n, fp); }
void PutLe32(FILE* fp, uint32_t v) {
  const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  Put(fp, b, 4);
}
void PutLe16(FILE* fp, uint16_t v) {
  const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
  Put(fp, b, 2);
}

}  // namespace

int OggSeekCallback(void* file, ogg_int64_t offset, int origin) {
  if (!file) return -1;
  return PakFSeek(static_cast<PakHandle*>(file), static_cast<long>(static_cast<int32_t>(offset)),
                  origin);
}

int OpenOggFile(PakHandle* file, OggVorbis_File* vf) {
  const ov_callbacks callbacks{OggRead, OggSeekCallback, OggClose, OggTell};
  return ov_open_callbacks(file, vf, nullptr, 0, callbacks);
}

bool GetFileLastWriteTime(const std::string& path, uint64_t& fileTime) {
  return QueryFileWriteTime(path, fileTime);
}

void ScrambleSoundBytes(uint8_t* bytes, size_t count, uint8_t key) {
  for (size_t i = 0; i < count; ++i) bytes[i] ^= key;
}

bool DSoundManager::LoadWavSound(unsigned int id, const std::string& path) {
  if (id >= kMaxSounds || !mDirectSound) return false;
  PakFile file(PakFOpen(path, "rb"));
  PakHandle* f = file.get();
  if (!f) return false;
  const int64_t fileSize = FileSize(f);
  uint32_t riffSize = 0;
  if (!ReadTag(f, "RIFF") || !ReadLe32(f, riffSize) || !ReadTag(f, "WAVE")) return false;

  int bits = 16, channels = 1, rate = 22050;
  bool hasKey = false;
  uint8_t key = 0;
  if (PakFEof(f)) return false;
  uint32_t dataSize = 0;
  for (;;) {
    char chunk[4] = {};
    uint32_t size = 0;
    ReadBytes(f, chunk, 4);
    if (!ReadLe32(f, size)) return false;
    const long pos = PakFTell(f);
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      uint16_t tag, ch, align, bitsPerSample;
      uint32_t samplesPerSec, bytesPerSec;
      if (!ReadLe16(f, tag) || !ReadLe16(f, ch) || !ReadLe32(f, samplesPerSec) ||
          !ReadLe32(f, bytesPerSec) || !ReadLe16(f, align) || !ReadLe16(f, bitsPerSample))
        return false;
      if (tag != WAVE_FORMAT_PCM) return false;
      channels = ch;
      rate = static_cast<int>(std::min<uint32_t>(samplesPerSec, 0x7FFFFFFF));
      bits = bitsPerSample;
    } else if (std::memcmp(chunk, "dep ", 4) == 0) {
      uint16_t nameLength = 0;
      if (!ReadLe16(f, nameLength)) return false;
      nameLength = std::min<uint16_t>(nameLength, 255);
      std::string name(nameLength, '\0');
      uint32_t low = 0, high = 0;
      if (!ReadBytes(f, name.data(), nameLength) || !ReadLe32(f, low) || !ReadLe32(f, high))
        return false;
      // A cache older (or newer) than its source is stale.
      uint64_t now = 0;
      GetFileLastWriteTime(name, now);
      if (low != static_cast<uint32_t>(now) || high != static_cast<uint32_t>(now >> 32))
        return false;
    } else if (std::memcmp(chunk, "xor ", 4) == 0) {
      if (!ReadBytes(f, &key, 1)) return false;
      hasKey = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      dataSize = size;
      break;
    }
    const int64_t next = static_cast<int64_t>(pos) + size;
    if (next >= fileSize) return false;
    PakFSeek(f, static_cast<long>(next), SEEK_SET);
    if (PakFEof(f)) return false;
  }

  // Never allocate more than the file holds: a size past its end is a
  // truncated file.
  if (static_cast<int64_t>(dataSize) > fileSize - PakFTell(f)) return false;
  uint8_t* data = CreateLockedBuffer(id, channels, rate, bits, dataSize);
  if (!data) return false;
  const size_t got = PakFRead(data, 1, dataSize, f);
  file.Close();
  if (hasKey) ScrambleSoundBytes(data, got, key);
  if (FAILED(mSourceSounds[id]->Unlock(data, dataSize, nullptr, 0)) || got != dataSize) {
    DropBuffer(id);
    return false;
  }
  return true;
}

bool DSoundManager::LoadFModSound(unsigned int id, const std::string& path) {
  if (!mUseFMod || id >= kMaxSounds || !mDirectSound) return false;
  FMOD_INSTANCE* fmod = GetFModInstance();
  if (!fmod) return false;
  FSOUND_SAMPLE* sample = fmod->FSOUND_Sample_Load(-1, path.c_str(), 0, 0);
  if (!sample) return false;
  const unsigned mode = fmod->FSOUND_Sample_GetMode(sample);
  int frequency = 0;
  fmod->FSOUND_Sample_GetDefaults(sample, &frequency, nullptr, nullptr, nullptr);
  const int channels = (mode & FSOUND_MONO) ? 1 : 2;
  const int bits = (mode & FSOUND_8BITS) ? 8 : 16;
  const uint64_t bytes =
      static_cast<uint64_t>(fmod->FSOUND_Sample_GetLength(sample)) * (channels * bits / 8);
  uint8_t* data = bytes <= DSBSIZE_MAX
                      ? CreateLockedBuffer(id, channels, frequency, bits, static_cast<uint32_t>(bytes))
                      : nullptr;
  if (!data) {
    fmod->FSOUND_Sample_Free(sample);
    return false;
  }
  void *p1 = nullptr, *p2 = nullptr;
  unsigned n1 = 0, n2 = 0;
  const bool locked =
      fmod->FSOUND_Sample_Lock(sample, 0, static_cast<int>(bytes), &p1, &p2, &n1, &n2) != 0;
  if (locked) {
    std::memcpy(data, p1, std::min<uint64_t>(n1, bytes));
    fmod->FSOUND_Sample_Unlock(sample, p1, p2, n1, n2);
  }
  const bool unlocked = SUCCEEDED(mSourceSounds[id]->Unlock(data, static_cast<DWORD>(bytes), nullptr, 0));
  fmod->FSOUND_Sample_Free(sample);
  // A buffer without the decoded samples is no loaded sound.
  if (!locked || !unlocked) {
    DropBuffer(id);
    return false;
  }
  return true;
}

bool DSoundManager::LoadOggSound(unsigned int id, const std::string& path) {
  if (id >= kMaxSounds || !mDirectSound) return false;
  PakHandle* f = PakFOpen(path, "rb");
  if (!f) return false;
  OggVorbis_File vf;
  if (OpenOggFile(f, &vf) < 0) {
    PakFClose(f);
    return false;
  }
  // From here ov_clear closes the file.
  const vorbis_info* info = ov_info(&vf, -1);
  const int channels = info ? info->channels : 0;
  const int rate = info ? static_cast<int>(info->rate) : 0;
  const ogg_int64_t total = ov_pcm_total(&vf, -1);
  const int64_t bytes = channels > 0 && total >= 0 ? total * channels * 2 : -1;
  uint8_t* data = bytes >= 0 && bytes <= DSBSIZE_MAX
                      ? CreateLockedBuffer(id, channels, rate, 16, static_cast<uint32_t>(bytes))
                      : nullptr;
  if (!data) {
    ov_clear(&vf);
    return false;
  }
  int64_t done = 0;
  while (done < bytes) {
    int bitstream = 0;
    const long n = ov_read(&vf, reinterpret_cast<char*>(data + done),
                           static_cast<int>(std::min<int64_t>(bytes - done, 1 << 30)), &bitstream);
    if (n < 1) break;
    done += n;
  }
  const bool unlocked =
      SUCCEEDED(mSourceSounds[id]->Unlock(data, static_cast<DWORD>(bytes), nullptr, 0));
  ov_clear(&vf);
  if (!unlocked || done != bytes) {
    DropBuffer(id);
    return false;
  }
  return true;
}

bool DSoundManager::LoadAuSound(unsigned int id, const std::string& path) {
  if (id >= kMaxSounds || !mDirectSound) return false;
  PakFile file(PakFOpen(path, "rb"));
  PakHandle* f = file.get();
  if (!f || !ReadTag(f, ".snd")) return false;
  uint32_t offset, size, encoding, rate, channels;
  if (!ReadBe32(f, offset) || !ReadBe32(f, size) || !ReadBe32(f, encoding) || !ReadBe32(f, rate) ||
      !ReadBe32(f, channels))
    return false;
  const int64_t fileSize = FileSize(f);
  if (offset > fileSize) return false;
  PakFSeek(f, static_cast<long>(offset), SEEK_SET);
  int bits;
  if (encoding == 1)
    bits = 16;  // mu-law expands to 16 bits
  else if (encoding == 2)
    bits = 8;
  else
    return false;
  // 0xFFFFFFFF means "unknown": the rest of the file. A size past the end
  // is a truncated file.
  const uint64_t available = static_cast<uint64_t>(fileSize - offset);
  const uint64_t count = size == 0xFFFFFFFFu ? available : size;
  if (count > available) return false;
  const uint64_t bytes = count * bits / 8;
  if (bytes > DSBSIZE_MAX || rate > 0x7FFFFFFF || channels > 2) return false;
  uint8_t* data = CreateLockedBuffer(id, static_cast<int>(channels), static_cast<int>(rate), bits,
                                     static_cast<uint32_t>(bytes));
  if (!data) return false;
  std::vector<uint8_t> block(count);
  const size_t got = PakFRead(block.data(), 1, count, f);
  file.Close();
  if (encoding == 1) {
    for (size_t i = 0; i < got; ++i) {
      const int16_t s = static_cast<int16_t>(MuLawSample(block[i]));
      std::memcpy(data + 2 * i, &s, 2);
    }
  } else {
    // The file's 8-bit samples are signed; our 8-bit buffers are unsigned.
    for (size_t i = 0; i < got; ++i) data[i] = block[i] ^ 0x80;
  }
  if (FAILED(mSourceSounds[id]->Unlock(data, static_cast<DWORD>(bytes), nullptr, 0)) ||
      got != count) {
    DropBuffer(id);
    return false;
  }
  return true;
}

bool DSoundManager::WriteWavCache(unsigned int id, const std::string& target,
                                  const std::string& source) {
  if (target.empty() || id >= kMaxSounds || !mSourceSounds[id]) return false;
  IDirectSoundBuffer* buffer = mSourceSounds[id];
  const uint32_t length = mSourceDataSizes[id];
  void* p = nullptr;
  DWORD n = 0;
  if (FAILED(buffer->Lock(0, length, &p, &n, nullptr, nullptr, 0))) return false;
  FILE* fp = Fs::OpenFile(target, "wb");
  if (!fp) {
    buffer->Unlock(p, n, nullptr, 0);
    return false;
  }
  Put(fp, "RIFF", 4);
  PutLe32(fp, length + 36);
  Put(fp, "WAVE", 4);

  DWORD formatSize = 0;
  buffer->GetFormat(nullptr, 0, &formatSize);
  std::vector<uint8_t> formatBlock(std::max<DWORD>(formatSize, sizeof(WAVEFORMATEX)));
  WAVEFORMATEX* format = reinterpret_cast<WAVEFORMATEX*>(formatBlock.data());
  buffer->GetFormat(format, formatSize, nullptr);
  const uint16_t align = static_cast<uint16_t>(format->nChannels * format->wBitsPerSample / 8);
  Put(fp, "fmt ", 4);
  PutLe32(fp, 16);
  PutLe16(fp, WAVE_FORMAT_PCM);
  PutLe16(fp, format->nChannels);
  PutLe32(fp, format->nSamplesPerSec);
  PutLe32(fp, align * format->nSamplesPerSec);
  PutLe16(fp, align);
  PutLe16(fp, format->wBitsPerSample);

  uint64_t time = 0;
  GetFileLastWriteTime(source, time);
  Put(fp, "dep ", 4);
  PutLe32(fp, static_cast<uint32_t>(source.size() + 10));
  PutLe16(fp, static_cast<uint16_t>(source.size()));
  Put(fp, source.data(), source.size());
  PutLe32(fp, static_cast<uint32_t>(time));
  PutLe32(fp, static_cast<uint32_t>(time >> 32));

  Put(fp, "xor ", 4);
  PutLe32(fp, 1);
  Put(fp, &kCacheKey, 1);
  // Scrambled in a copy: duplicates of this buffer may be playing it.
  std::vector<uint8_t> bytes(static_cast<uint8_t*>(p), static_cast<uint8_t*>(p) + n);
  ScrambleSoundBytes(bytes.data(), bytes.size(), kCacheKey);
  Put(fp, "data", 4);
  PutLe32(fp, length);
  Put(fp, bytes.data(), bytes.size());
  std::fclose(fp);
  return SUCCEEDED(buffer->Unlock(p, n, nullptr, 0));
}

}  // namespace Plix
