#include "toolkit/style/brieflz.h"

#include <array>

namespace lumora {

namespace {

// Gamma values beyond this are refused: no real block has a match this long
// or this far back, and the check keeps the arithmetic clear of overflow.
constexpr uint64_t kGammaLimit = uint64_t{1} << 32;

class BitReader {
 public:
  BitReader(const uint8_t* in, size_t size) : in_(in), size_(size) {}

  bool Bit(uint32_t* bit) {
    if (bits_ == 0) {
      if (size_ - pos_ < 2) return false;
      tag_ = static_cast<uint32_t>(in_[pos_]) | static_cast<uint32_t>(in_[pos_ + 1]) << 8;
      pos_ += 2;
      bits_ = 16;
    }
    --bits_;
    *bit = (tag_ >> bits_) & 1;
    return true;
  }

  bool Gamma(uint64_t* value) {
    uint64_t result = 1;
    uint32_t more = 0;
    do {
      uint32_t bit = 0;
      if (!Bit(&bit)) return false;
      result = result * 2 + bit;
      if (result >= kGammaLimit) return false;
      if (!Bit(&more)) return false;
    } while (more);
    *value = result;
    return true;
  }

  bool Byte(uint8_t* byte) {
    if (pos_ >= size_) return false;
    *byte = in_[pos_++];
    return true;
  }

  size_t position() const { return pos_; }

 private:
  const uint8_t* in_;
  size_t size_;
  size_t pos_ = 0;
  uint32_t tag_ = 0;
  int bits_ = 0;
};

// Mirrors BitReader: a tag word's slot is taken at the point in the output
// where the reader will look for it, i.e. when the first of its bits is put.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>* out) : out_(out) {}

  void Bit(uint32_t bit) {
    if (bits_ == 0) {
      Flush();
      slot_ = out_->size();
      out_->push_back(0);
      out_->push_back(0);
      tag_ = 0;
      bits_ = 16;
      open_ = true;
    }
    --bits_;
    tag_ |= (bit & 1) << bits_;
  }

  // value >= 2.
  void Gamma(uint64_t value) {
    int top = 63;
    while (!(value >> top)) --top;
    for (int i = top - 1; i >= 0; --i) {
      Bit(static_cast<uint32_t>(value >> i) & 1);
      Bit(i > 0 ? 1 : 0);
    }
  }

  void Byte(uint8_t byte) { out_->push_back(byte); }

  void Flush() {
    if (!open_) return;
    (*out_)[slot_] = static_cast<uint8_t>(tag_);
    (*out_)[slot_ + 1] = static_cast<uint8_t>(tag_ >> 8);
  }

 private:
  std::vector<uint8_t>* out_;
  size_t slot_ = 0;
  uint32_t tag_ = 0;
  int bits_ = 0;
  bool open_ = false;
};

constexpr size_t kMinMatch = 4;
constexpr int kMaxHashBits = 15;
constexpr int kChainDepth = 32;

uint32_t Hash4(const uint8_t* p, int bits) {
  const uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                     static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  return (v * 2654435761u) >> (32 - bits);
}

}  // namespace

bool DecodeBriefLzBlock(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size, size_t* consumed) {
  *consumed = 0;
  if (out_size == 0) return true;
  BitReader reader(in, in_size);
  size_t written = 0;
  if (!reader.Byte(&out[written++])) return false;
  while (written < out_size) {
    uint32_t is_match = 0;
    if (!reader.Bit(&is_match)) return false;
    if (!is_match) {
      if (!reader.Byte(&out[written++])) return false;
      continue;
    }
    uint64_t length = 0;
    uint64_t high = 0;
    uint8_t low = 0;
    if (!reader.Gamma(&length) || !reader.Gamma(&high) || !reader.Byte(&low)) return false;
    length += 2;
    const uint64_t offset = ((high - 2) << 8) + low + 1;
    if (offset > written || length > out_size - written) return false;
    const uint8_t* from = out + written - offset;
    for (uint64_t i = 0; i < length; ++i) out[written + i] = from[i];
    written += static_cast<size_t>(length);
  }
  *consumed = reader.position();
  return true;
}

void EncodeBriefLzBlock(const uint8_t* in, size_t size, std::vector<uint8_t>* out, size_t window) {
  if (size == 0) return;
  BitWriter writer(out);
  writer.Byte(in[0]);
  // A table no larger than the block needs: small blocks are common at the
  // end of a stream and must not each pay for a full table.
  int hash_bits = 4;
  while ((size_t{1} << hash_bits) < size && hash_bits < kMaxHashBits) ++hash_bits;
  std::vector<int64_t> head(size_t{1} << hash_bits, -1);
  std::vector<int64_t> previous(size, -1);
  const auto insert = [&](size_t at) {
    if (at + kMinMatch > size) return;
    const uint32_t h = Hash4(in + at, hash_bits);
    previous[at] = head[h];
    head[h] = static_cast<int64_t>(at);
  };
  insert(0);
  size_t pos = 1;
  while (pos < size) {
    size_t best_length = 0;
    size_t best_offset = 0;
    if (pos + kMinMatch <= size) {
      int64_t candidate = head[Hash4(in + pos, hash_bits)];
      for (int depth = 0; candidate >= 0 && depth < kChainDepth; ++depth) {
        const size_t from = static_cast<size_t>(candidate);
        if (pos - from > window) break;
        size_t length = 0;
        while (pos + length < size && in[from + length] == in[pos + length]) ++length;
        if (length > best_length) {
          best_length = length;
          best_offset = pos - from;
        }
        candidate = previous[from];
      }
    }
    if (best_length >= kMinMatch) {
      writer.Bit(1);
      writer.Gamma(best_length - 2);
      writer.Gamma(((best_offset - 1) >> 8) + 2);
      writer.Byte(static_cast<uint8_t>((best_offset - 1) & 0xFF));
      for (size_t i = 0; i < best_length; ++i) insert(pos + i);
      pos += best_length;
    } else {
      writer.Bit(0);
      writer.Byte(in[pos]);
      insert(pos);
      ++pos;
    }
  }
  writer.Flush();
}

}  // namespace lumora
