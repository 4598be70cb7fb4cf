#include "tests/resources/ImageTestSupport.h"

#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <openjpeg.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <unordered_map>

namespace Plix::Testing {

namespace {

void PngWriteToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void PngFlush(png_structp) {}

void Put16(std::string& s, int v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

class BitWriter {
public:
  void Put(int code, int width) {
    mAcc |= uint32_t(code) << mBits;
    mBits += width;
    while (mBits >= 8) {
      mBytes.push_back(static_cast<uint8_t>(mAcc));
      mAcc >>= 8;
      mBits -= 8;
    }
  }
  std::vector<uint8_t> Finish() {
    if (mBits > 0) mBytes.push_back(static_cast<uint8_t>(mAcc));
    return mBytes;
  }

private:
  std::vector<uint8_t> mBytes;
  uint32_t mAcc = 0;
  int mBits = 0;
};

std::vector<uint8_t> LzwEncode(const std::vector<uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize, end = clear + 1;
  BitWriter out;
  std::unordered_map<int, int> dict;
  int width = minCodeSize + 1, next = clear + 2;
  auto reset = [&] {
    dict.clear();
    width = minCodeSize + 1;
    next = clear + 2;
  };
  // The decoder defines each entry one code later than the encoder, so the
  // width grows once `next` passes the limit.
  auto add = [&](int key) {
    if (key >= 0) dict[key] = next;
    ++next;
    if (next > (1 << width) && width < 12) ++width;
  };
  out.Put(clear, width);
  int w = -1;
  for (uint8_t k : indices) {
    if (w < 0) {
      w = k;
      continue;
    }
    int key = w << 8 | k;
    auto it = dict.find(key);
    if (it != dict.end()) {
      w = it->second;
      continue;
    }
    out.Put(w, width);
    add(key);
    if (next == 4096) {
      out.Put(clear, width);
      reset();
    }
    w = k;
  }
  if (w >= 0) {
    out.Put(w, width);
    if (next < 4096) add(-1);
  }
  out.Put(end, width);
  return out.Finish();
}

opj_image_t* MakeJ2kImage(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha) {
  int n = withAlpha ? 4 : 3;
  opj_image_cmptparm_t params[4] = {};
  for (int c = 0; c < n; ++c) {
    params[c].dx = params[c].dy = 1;
    params[c].w = width;
    params[c].h = height;
    params[c].prec = 8;
  }
  opj_image_t* image = opj_image_create(n, params, OPJ_CLRSPC_SRGB);
  image->x1 = width;
  image->y1 = height;
  if (withAlpha) image->comps[3].alpha = 1;
  for (size_t i = 0; i < argb.size(); ++i) {
    image->comps[0].data[i] = (argb[i] >> 16) & 0xFF;
    image->comps[1].data[i] = (argb[i] >> 8) & 0xFF;
    image->comps[2].data[i] = argb[i] & 0xFF;
    if (withAlpha) image->comps[3].data[i] = argb[i] >> 24;
  }
  return image;
}

struct MemoryOut {
  std::string mBytes;
  size_t mPos = 0;
};

OPJ_SIZE_T J2kWrite(void* buffer, OPJ_SIZE_T size, void* user) {
  auto* m = static_cast<MemoryOut*>(user);
  if (m->mBytes.size() < m->mPos + size) m->mBytes.resize(m->mPos + size);
  std::memcpy(m->mBytes.data() + m->mPos, buffer, size);
  m->mPos += size;
  return size;
}
OPJ_OFF_T J2kSkip(OPJ_OFF_T n, void* user) {
  static_cast<MemoryOut*>(user)->mPos += static_cast<size_t>(n);
  return n;
}
OPJ_BOOL J2kSeek(OPJ_OFF_T to, void* user) {
  static_cast<MemoryOut*>(user)->mPos = static_cast<size_t>(to);
  return OPJ_TRUE;
}

}  // namespace

std::string PngBytes(const PngSpec& spec) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("png encoding failed");
  png_set_write_fn(png, &out, PngWriteToString, PngFlush);
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colorType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < spec.palette.size(); i += 3)
    palette.push_back({spec.palette[i], spec.palette[i + 1], spec.palette[i + 2]});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!spec.transparency.empty())
    png_set_tRNS(png, info, spec.transparency.data(), static_cast<int>(spec.transparency.size()), nullptr);
  png_write_info(png, info);
  size_t stride = spec.rows.size() / spec.height;
  std::vector<png_bytep> rows;
  for (int y = 0; y < spec.height; ++y) rows.push_back(const_cast<png_bytep>(spec.rows.data() + y * stride));
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string GifBytes(const GifSpec& spec) {
  int bits = 1;
  while ((1u << bits) < spec.palette.size()) ++bits;
  int minCodeSize = spec.minCodeSize ? spec.minCodeSize : std::max(2, bits);
  std::string s = "GIF89a";
  Put16(s, spec.width);
  Put16(s, spec.height);
  s += static_cast<char>(spec.localTable ? 0 : 0x80 | (bits - 1));
  s += '\0';
  s += '\0';
  std::string table;
  for (int i = 0; i < (1 << bits); ++i) {
    uint32_t c = i < static_cast<int>(spec.palette.size()) ? spec.palette[i] : 0;
    table += static_cast<char>(c >> 16);
    table += static_cast<char>(c >> 8);
    table += static_cast<char>(c);
  }
  if (!spec.localTable) s += table;
  s += std::string("\x21\xFE\x05hello\x00", 9);  // a comment to pass over
  if (spec.transparent >= 0) {
    s += std::string("\x21\xF9\x04\x01\x00\x00", 6);
    s += static_cast<char>(spec.transparent);
    s += '\0';
  }
  s += ',';
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, spec.width);
  Put16(s, spec.height);
  s += static_cast<char>((spec.localTable ? 0x80 | (bits - 1) : 0) | (spec.interlaced ? 0x40 : 0));
  if (spec.localTable) s += table;
  s += static_cast<char>(minCodeSize);

  std::vector<uint8_t> order;
  if (spec.interlaced) {
    const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int p = 0; p < 4; ++p)
      for (int y = start[p]; y < spec.height; y += step[p])
        order.insert(order.end(), spec.indices.begin() + y * spec.width,
                     spec.indices.begin() + (y + 1) * spec.width);
  } else {
    order = spec.indices;
  }
  std::vector<uint8_t> data = LzwEncode(order, minCodeSize);
  for (size_t i = 0; i < data.size(); i += 255) {
    size_t n = std::min<size_t>(255, data.size() - i);
    s += static_cast<char>(n);
    s.append(reinterpret_cast<const char*>(data.data() + i), n);
  }
  s += '\0';
  s += ';';
  return s;
}

std::string TgaBytes(int width, int height, int depth, int descriptor, const std::vector<uint32_t>& argb) {
  std::string s(12, '\0');
  s[2] = 2;
  Put16(s, width);
  Put16(s, height);
  s += static_cast<char>(depth);
  s += static_cast<char>(descriptor);
  for (uint32_t p : argb)
    for (int i = 0; i < depth / 8; ++i) s += static_cast<char>(p >> (8 * i));
  return s;
}

std::string J2kBytes(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha, bool jp2,
                     int tileSize) {
  opj_image_t* image = MakeJ2kImage(width, height, argb, withAlpha);
  opj_codec_t* codec = opj_create_compress(jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
  opj_cparameters_t params;
  opj_set_default_encoder_parameters(&params);
  params.numresolution = 2;
  params.tcp_numlayers = 1;
  params.tcp_rates[0] = 0;
  params.cp_disto_alloc = 1;
  if (tileSize > 0) {
    params.tile_size_on = OPJ_TRUE;
    params.cp_tdx = params.cp_tdy = tileSize;
  }
  MemoryOut out;
  opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE);
  opj_stream_set_user_data(stream, &out, nullptr);
  opj_stream_set_write_function(stream, J2kWrite);
  opj_stream_set_skip_function(stream, J2kSkip);
  opj_stream_set_seek_function(stream, J2kSeek);
  bool ok = opj_setup_encoder(codec, &params, image) && opj_start_compress(codec, image, stream) &&
            opj_encode(codec, stream) && opj_end_compress(codec, stream);
  opj_stream_destroy(stream);
  opj_destroy_codec(codec);
  opj_image_destroy(image);
  if (!ok) throw std::runtime_error("j2k encoding failed");
  return out.mBytes;
}

std::string GrayJpegBytes(int width, int height, const std::vector<uint8_t>& values) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &mem, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  for (int y = 0; y < height; ++y) {
    JSAMPROW row = const_cast<JSAMPROW>(values.data() + y * width);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string out(reinterpret_cast<char*>(mem), size);
  std::free(mem);
  return out;
}

std::vector<uint32_t> Pattern(int width, int height, bool opaque) {
  std::vector<uint32_t> p;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t a = opaque ? 255 : (x * 37 + y * 11) & 0xFF;
      p.push_back(a << 24 | uint32_t(x * 13 & 0xFF) << 16 | uint32_t(y * 29 & 0xFF) << 8 | uint32_t((x ^ y) * 7 & 0xFF));
    }
  return p;
}

}  // namespace Plix::Testing
