#include "toolkit/style/skin_archive.h"

#include <algorithm>
#include <cstring>

#include "toolkit/style/brieflz.h"

namespace lumora {

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void PutU32(std::vector<uint8_t>* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

struct EntryHeader {
  uint32_t unpacked = 0;
  uint32_t stored = 0;
};

// Reads an entry's header; false at the end or when the stored bytes are
// not all there.
bool ReadHeader(SknzSource& source, EntryHeader* header) {
  uint8_t bytes[8];
  if (source.Remaining() < sizeof bytes || !source.Read(bytes, sizeof bytes)) return false;
  header->unpacked = ReadU32(bytes);
  header->stored = ReadU32(bytes + 4);
  return header->stored <= source.Remaining();
}

// Reads and unpacks the entry whose header was just read.
bool ReadContent(SknzSource& source, const EntryHeader& header, uint32_t limit, std::vector<uint8_t>* out,
                 const SknzLimits& limits) {
  if (header.unpacked > limit) return false;
  // A compressed entry never needs to be much larger than its content.
  if (header.stored > static_cast<uint64_t>(limit) + limit / 8 + 64) return false;
  std::vector<uint8_t> stored(header.stored);
  if (!source.Read(stored.data(), stored.size())) return false;
  SknzLimits bounded = limits;
  bounded.max_member = limit;
  return UnpackSknzEntry(stored.data(), stored.size(), header.unpacked, out, bounded);
}

std::u16string NameOf(const std::vector<uint8_t>& bytes) {
  std::u16string name;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    if (c == 0) break;
    name.push_back(c);
  }
  return name;
}

}  // namespace

bool SknzMemorySource::Read(uint8_t* out, size_t size) {
  if (size > size_ - pos_) return false;
  if (size) std::memcpy(out, data_ + pos_, size);
  pos_ += size;
  return true;
}

bool SknzMemorySource::Skip(uint64_t size) {
  if (size > size_ - pos_) return false;
  pos_ += static_cast<size_t>(size);
  return true;
}

bool UnpackSknzEntry(const uint8_t* stored, size_t stored_size, uint32_t unpacked_size, std::vector<uint8_t>* out,
                     const SknzLimits& limits) {
  out->clear();
  if (unpacked_size > limits.max_member) return false;
  if (stored_size == unpacked_size) {
    out->assign(stored, stored + stored_size);
    return true;
  }
  if (stored_size < kSknzStreamHeader || ReadU32(stored) != kSknzMagic) return false;
  const uint32_t total = ReadU32(stored + 4);
  const uint32_t block_size = ReadU32(stored + 8);
  if (total != unpacked_size) return false;
  if (total > 0 && block_size == 0) return false;
  out->resize(total);
  size_t in = kSknzStreamHeader;
  size_t written = 0;
  while (written < total) {
    const size_t block = std::min<size_t>(block_size, total - written);
    size_t consumed = 0;
    if (!DecodeBriefLzBlock(stored + in, stored_size - in, out->data() + written, block, &consumed)) {
      out->clear();
      return false;
    }
    in += consumed;
    written += block;
  }
  return true;
}

bool FindSknzMember(SknzSource& source, std::u16string_view name, std::vector<uint8_t>* out,
                    const SknzLimits& limits) {
  out->clear();
  EntryHeader header;
  while (ReadHeader(source, &header)) {
    std::vector<uint8_t> name_bytes;
    if (!ReadContent(source, header, limits.max_name, &name_bytes, limits)) return false;
    // The entry after a name entry is its data; the end of the file here
    // means the last name has no data.
    if (!ReadHeader(source, &header)) return false;
    if (NameOf(name_bytes) == name) return ReadContent(source, header, limits.max_member, out, limits);
    if (!source.Skip(header.stored)) return false;
  }
  return false;
}

void AppendSknzEntry(std::vector<uint8_t>* archive, const uint8_t* data, size_t size, bool compress,
                     uint32_t block_size) {
  std::vector<uint8_t> packed;
  if (compress && size > 0 && block_size > 0) {
    PutU32(&packed, kSknzMagic);
    PutU32(&packed, static_cast<uint32_t>(size));
    PutU32(&packed, block_size);
    for (size_t at = 0; at < size; at += block_size) {
      EncodeBriefLzBlock(data + at, std::min<size_t>(block_size, size - at), &packed);
    }
  }
  // Equal sizes would read as stored, so a stream must be strictly smaller.
  const bool use_packed = !packed.empty() && packed.size() < size;
  PutU32(archive, static_cast<uint32_t>(size));
  PutU32(archive, static_cast<uint32_t>(use_packed ? packed.size() : size));
  if (use_packed)
    archive->insert(archive->end(), packed.begin(), packed.end());
  else if (size)
    archive->insert(archive->end(), data, data + size);
}

void AppendSknzMember(std::vector<uint8_t>* archive, std::u16string_view name, const std::vector<uint8_t>& data,
                      bool compress, uint32_t block_size) {
  std::vector<uint8_t> name_bytes;
  for (char16_t c : name) {
    name_bytes.push_back(static_cast<uint8_t>(c));
    name_bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  AppendSknzEntry(archive, name_bytes.data(), name_bytes.size(), false);
  AppendSknzEntry(archive, data.data(), data.size(), compress, block_size);
}

}  // namespace lumora
