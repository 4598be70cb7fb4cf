#include "framework/platform/AudioFiles.h"

#include <sys/stat.h>
#include <tremor/ivorbisfile.h>

#include <cstdio>
#include <mutex>

#include "framework/platform/Files.h"

namespace Plix {

namespace {

void* DiskOpen(const std::string& name) { return Fs::OpenFile(name, "rb"); }
size_t DiskRead(void* buffer, size_t size, size_t count, void* file) {
  return std::fread(buffer, size, count, static_cast<FILE*>(file));
}
int DiskSeek(void* file, long offset, int origin) {
  return std::fseek(static_cast<FILE*>(file), offset, origin);
}
long DiskTell(void* file) { return std::ftell(static_cast<FILE*>(file)); }
int DiskClose(void* file) { return std::fclose(static_cast<FILE*>(file)); }

std::mutex gAccessMutex;
AudioFileAccess gAccess{DiskOpen, DiskRead, DiskSeek, DiskTell, DiskClose};

size_t OvRead(void* ptr, size_t size, size_t count, void* file) {
  return GetAudioFileAccess().read(ptr, size, count, file);
}
int OvSeek(void* file, ogg_int64_t offset, int origin) {
  if (!file) return -1;
  return GetAudioFileAccess().seek(file, static_cast<long>(offset), origin);
}
int OvClose(void* file) { return GetAudioFileAccess().close(file); }
long OvTell(void* file) { return GetAudioFileAccess().tell(file); }

}  // namespace

void SetAudioFileAccess(const AudioFileAccess& access) {
  std::lock_guard<std::mutex> guard(gAccessMutex);
  gAccess = access;
}

const AudioFileAccess& GetAudioFileAccess() {
  std::lock_guard<std::mutex> guard(gAccessMutex);
  return gAccess;
}

bool QueryFileWriteTime(const std::string& path, uint64_t& fileTime) {
  fileTime = 0;
  struct stat st {};
  if (::stat(Fs::NativePath(path).c_str(), &st) != 0) return false;
  // Seconds between 1601-01-01 and 1970-01-01.
  constexpr uint64_t kEpochDelta = 11644473600ull;
  fileTime = (static_cast<uint64_t>(st.st_mtim.tv_sec) + kEpochDelta) * 10000000ull +
             static_cast<uint64_t>(st.st_mtim.tv_nsec) / 100;
  return true;
}

struct OggDecoder::State {
  OggVorbis_File file{};
};

std::unique_ptr<OggDecoder> OggDecoder::Open(const std::string& name) {
  const AudioFileAccess access = GetAudioFileAccess();
  void* f = access.open(name);
  if (!f) return nullptr;
  std::unique_ptr<OggDecoder> d(new OggDecoder);
  d->mState = std::make_unique<State>();
  const ov_callbacks callbacks{OvRead, OvSeek, OvClose, OvTell};
  if (ov_open_callbacks(f, &d->mState->file, nullptr, 0, callbacks) < 0) {
    access.close(f);
    d->mState.reset();
    return nullptr;
  }
  const vorbis_info* info = ov_info(&d->mState->file, -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate < 1) return nullptr;
  d->mChannels = info->channels;
  d->mRate = static_cast<int>(info->rate);
  const ogg_int64_t total = ov_pcm_total(&d->mState->file, -1);
  d->mTotalFrames = total < 0 ? -1 : total;
  return d;
}

OggDecoder::~OggDecoder() {
  if (mState) ov_clear(&mState->file);
}

int OggDecoder::Read(int16_t* out, int frames) {
  const int frameBytes = 2 * mChannels;
  int done = 0;
  while (done < frames) {
    int section = 0;
    const long n = ov_read(&mState->file, reinterpret_cast<char*>(out + done * mChannels),
                           (frames - done) * frameBytes, &section);
    if (n == OV_HOLE) continue;  // a gap in the data; decoding goes on after it
    if (n <= 0) break;
    done += static_cast<int>(n / frameBytes);
  }
  return done;
}

bool OggDecoder::Rewind() { return SeekFrame(0); }

bool OggDecoder::SeekFrame(int64_t frame) { return ov_pcm_seek(&mState->file, frame) == 0; }

int64_t OggDecoder::TellFrame() { return ov_pcm_tell(&mState->file); }

bool OggDecoder::DecodeAll(const std::string& name, std::vector<int16_t>& samples, int& channels,
                           int& rate) {
  std::unique_ptr<OggDecoder> d = Open(name);
  if (!d || d->TotalFrames() < 0) return false;
  channels = d->Channels();
  rate = d->Rate();
  // Never trust the stream's length beyond what its file could hold.
  const int64_t frames = d->TotalFrames();
  if (frames > (int64_t{1} << 25)) return false;
  samples.assign(static_cast<size_t>(frames) * channels, 0);
  return d->Read(samples.data(), static_cast<int>(frames)) == frames;
}

}  // namespace Plix
