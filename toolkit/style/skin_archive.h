// ".sknz" skin archives: a file of entries, no header, in pairs of a name
// entry (the member's file name, UTF-16LE) and a data entry (its bytes).
// Little-endian throughout. Each entry:
//   u32 unpacked size, u32 stored size, stored bytes.
// Equal sizes mean the bytes are stored as they are; otherwise they are a
// block stream: u32 magic "1zlb", u32 total unpacked size, u32 block size,
// then BriefLZ blocks back to back (the last holding the remainder).
//
// An archive is input like any other: every size and offset is checked
// against the bytes really there and against fixed limits, so a truncated
// or hostile file reads as "not found", never as a crash, a hang or a huge
// allocation.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

constexpr uint32_t kSknzMagic = 0x626C7A31;  // "1zlb" in file order
constexpr size_t kSknzStreamHeader = 12;

struct SknzLimits {
  // Largest member we unpack: far above any skin image, far below memory.
  uint32_t max_member = 32u << 20;
  // Largest name entry, in bytes.
  uint32_t max_name = 4096;
};

// Where entries are read from: an open file or bytes in memory.
class SknzSource {
 public:
  virtual ~SknzSource() = default;
  // Bytes left from the current position to the end.
  virtual uint64_t Remaining() const = 0;
  // Reads exactly `size` bytes; false when it cannot.
  virtual bool Read(uint8_t* out, size_t size) = 0;
  virtual bool Skip(uint64_t size) = 0;
};

class SknzMemorySource : public SknzSource {
 public:
  SknzMemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Remaining() const override { return size_ - pos_; }
  bool Read(uint8_t* out, size_t size) override;
  bool Skip(uint64_t size) override;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// The content of one entry from its stored bytes. False when it is
// unreadable: a wrong magic, sizes that disagree or exceed the limit, a
// block size of 0, or a block that does not decode.
bool UnpackSknzEntry(const uint8_t* stored, size_t stored_size, uint32_t unpacked_size, std::vector<uint8_t>* out,
                     const SknzLimits& limits = {});

// The member whose name entry equals `name` exactly (case included). False
// when there is none, when its name entry is the last entry, or when an
// entry on the way cannot be read.
bool FindSknzMember(SknzSource& source, std::u16string_view name, std::vector<uint8_t>* out,
                    const SknzLimits& limits = {});

// Writing, for the archive tool and the tests.
// Appends an entry: compressed into blocks of `block_size` when that makes
// it smaller (and `compress` is set), stored otherwise.
void AppendSknzEntry(std::vector<uint8_t>* archive, const uint8_t* data, size_t size, bool compress,
                     uint32_t block_size = 1u << 16);
// Appends the name entry and the data entry of one member.
void AppendSknzMember(std::vector<uint8_t>* archive, std::u16string_view name, const std::vector<uint8_t>& data,
                      bool compress, uint32_t block_size = 1u << 16);

}  // namespace lumora
