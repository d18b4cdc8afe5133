#include "ZipWriter.h"

#include <zlib.h>

#include <cstdint>

namespace toolkittest {
namespace {

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string DeflateRaw(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace

std::string MakeZip(const std::vector<ZipEntry>& entries) {
  std::string body;
  std::string directory;
  for (const ZipEntry& e : entries) {
    uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())));
    std::string stored = e.deflate ? DeflateRaw(e.data) : e.data;
    uint32_t method = e.deflate ? 8 : 0;
    uint32_t offset = static_cast<uint32_t>(body.size());
    Put32(body, 0x04034b50);
    Put16(body, 20);
    Put16(body, 0x0800);  // UTF-8 names
    Put16(body, method);
    Put32(body, 0);  // time, date
    Put32(body, crc);
    Put32(body, static_cast<uint32_t>(stored.size()));
    Put32(body, static_cast<uint32_t>(e.data.size()));
    Put16(body, static_cast<uint32_t>(e.name.size()));
    Put16(body, 0);
    body += e.name;
    body += stored;

    Put32(directory, 0x02014b50);
    Put16(directory, 20);
    Put16(directory, 20);
    Put16(directory, 0x0800);
    Put16(directory, method);
    Put32(directory, 0);
    Put32(directory, crc);
    Put32(directory, static_cast<uint32_t>(stored.size()));
    Put32(directory, static_cast<uint32_t>(e.data.size()));
    Put16(directory, static_cast<uint32_t>(e.name.size()));
    Put16(directory, 0);  // extra
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, offset);
    directory += e.name;
  }
  std::string zip = body + directory;
  Put32(zip, 0x06054b50);
  Put16(zip, 0);
  Put16(zip, 0);
  Put16(zip, static_cast<uint32_t>(entries.size()));
  Put16(zip, static_cast<uint32_t>(entries.size()));
  Put32(zip, static_cast<uint32_t>(directory.size()));
  Put32(zip, static_cast<uint32_t>(body.size()));
  Put16(zip, 0);
  return zip;
}

}  // namespace toolkittest
