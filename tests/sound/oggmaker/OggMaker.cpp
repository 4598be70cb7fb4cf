// Writes small Ogg Vorbis tones for the sound tests and fuzz seeds:
//   sound_oggmaker <out.ogg> <channels> <rate> <milliseconds> <hz left> [<hz right>]
// This program links libvorbisenc, so it must never link the game's decoder.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

void WritePages(ogg_stream_state& os, FILE* out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) {
    std::fwrite(page.header, 1, page.header_len, out);
    std::fwrite(page.body, 1, page.body_len, out);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s out.ogg channels rate ms hzLeft [hzRight]\n", argv[0]);
    return 2;
  }
  const int channels = std::atoi(argv[2]);
  const int rate = std::atoi(argv[3]);
  const long frames = std::atol(argv[4]) * rate / 1000;
  const double hz[2] = {std::atof(argv[5]), argc > 6 ? std::atof(argv[6]) : std::atof(argv[5])};
  FILE* out = std::fopen(argv[1], "wb");
  if (!out || channels < 1 || channels > 2) return 1;

  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.4f) != 0) return 1;
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 12345);  // fixed serial: the same bytes every build

  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  WritePages(os, out, true);

  const long chunk = 1024;
  for (long done = 0;; done += chunk) {
    const long n = std::min(chunk, frames - done);  // 0 ends the stream
    if (n > 0) {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (int c = 0; c < channels; ++c)
        for (long i = 0; i < n; ++i)
          buf[c][i] = static_cast<float>(0.5 * std::sin(2 * M_PI * hz[c] * (done + i) / rate));
    }
    vorbis_analysis_wrote(&vd, static_cast<int>(n > 0 ? n : 0));
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        WritePages(os, out, false);
      }
    }
    if (n <= 0) break;
  }
  WritePages(os, out, true);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return std::fclose(out) == 0 ? 0 : 1;
}
