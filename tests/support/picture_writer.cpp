// picture_writer: PNG files of any size for the tests of pictures the game must refuse,
// written a row at a time so that a huge one costs the writer no memory.
//   picture_writer FILE WIDTH HEIGHT
//       a valid grey picture
//   picture_writer --header-only FILE WIDTH HEIGHT
//       a header claiming that size over a compressed stream of no pixels at all: the
//       decoder reads the header, sets aside room for every pixel, then finds none
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void PutChunk(FILE* f, const char* type, const std::vector<uint8_t>& data) {
  const uint32_t length = uint32_t(data.size());
  const uint8_t lengthBytes[4] = {uint8_t(length >> 24), uint8_t(length >> 16),
                                  uint8_t(length >> 8), uint8_t(length)};
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
  if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));
  const uint8_t crcBytes[4] = {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8),
                               uint8_t(crc)};
  std::fwrite(lengthBytes, 1, 4, f);
  std::fwrite(type, 1, 4, f);
  if (!data.empty()) std::fwrite(data.data(), 1, data.size(), f);
  std::fwrite(crcBytes, 1, 4, f);
}

// Deflates HEIGHT rows of a mid-grey picture, one row in memory at a time.
bool GreyPixels(uint32_t width, uint32_t height, std::vector<uint8_t>* packed) {
  z_stream stream = {};
  if (deflateInit(&stream, Z_BEST_COMPRESSION) != Z_OK) return false;
  std::vector<uint8_t> row(size_t(width) + 1, 128), out(1 << 16);
  row[0] = 0;  // no filter
  int status = Z_OK;
  for (uint32_t y = 0; y <= height && status == Z_OK; ++y) {
    const bool last = y == height;
    stream.next_in = last ? nullptr : row.data();
    stream.avail_in = last ? 0 : uInt(row.size());
    do {
      stream.next_out = out.data();
      stream.avail_out = uInt(out.size());
      status = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
      packed->insert(packed->end(), out.data(), out.data() + (out.size() - stream.avail_out));
    } while (stream.avail_out == 0 && status == Z_OK);
  }
  deflateEnd(&stream);
  return status == Z_STREAM_END;
}

}  // namespace

int main(int argc, char** argv) {
  const bool headerOnly = argc == 5 && std::strcmp(argv[1], "--header-only") == 0;
  if (argc != 4 && !headerOnly) {
    std::fprintf(stderr, "usage: picture_writer [--header-only] FILE WIDTH HEIGHT\n");
    return 2;
  }
  char** args = argv + (headerOnly ? 2 : 1);
  const uint32_t width = uint32_t(std::strtoul(args[1], nullptr, 10));
  const uint32_t height = uint32_t(std::strtoul(args[2], nullptr, 10));

  std::vector<uint8_t> header;
  for (uint32_t value : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) header.push_back(uint8_t(value >> shift));
  header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, not interlaced
  std::vector<uint8_t> packed;
  if (!GreyPixels(headerOnly ? 0 : width, headerOnly ? 0 : height, &packed)) {
    std::fprintf(stderr, "picture_writer: could not compress the pixels\n");
    return 1;
  }

  FILE* f = std::fopen(args[0], "wb");
  if (!f) {
    std::perror(args[0]);
    return 1;
  }
  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::fwrite(signature, 1, 8, f);
  PutChunk(f, "IHDR", header);
  PutChunk(f, "IDAT", packed);
  PutChunk(f, "IEND", {});
  return std::fclose(f) == 0 ? 0 : 1;
}
