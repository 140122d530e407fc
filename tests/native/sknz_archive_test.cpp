// ".sknz" archives: what our writer packs, our reader unpacks byte for byte,
// and a damaged or hostile archive reads as "not found".
#include "toolkit/style/skin_archive.h"

#include <gtest/gtest.h>

#include <random>

#include "toolkit/style/brieflz.h"

namespace lumora {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

void PutU32(std::vector<uint8_t>* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

bool Find(const std::vector<uint8_t>& archive, std::u16string_view name, std::vector<uint8_t>* out,
          const SknzLimits& limits = {}) {
  SknzMemorySource source(archive.data(), archive.size());
  return FindSknzMember(source, name, out, limits);
}

// An entry holding a block stream with the given header and blocks.
std::vector<uint8_t> StreamEntry(uint32_t unpacked, uint32_t total, uint32_t block_size,
                                 const std::vector<uint8_t>& blocks, uint32_t magic = kSknzMagic) {
  std::vector<uint8_t> stream;
  PutU32(&stream, magic);
  PutU32(&stream, total);
  PutU32(&stream, block_size);
  stream.insert(stream.end(), blocks.begin(), blocks.end());
  std::vector<uint8_t> entry;
  PutU32(&entry, unpacked);
  PutU32(&entry, static_cast<uint32_t>(stream.size()));
  entry.insert(entry.end(), stream.begin(), stream.end());
  return entry;
}

std::vector<uint8_t> NamedArchive(const std::vector<uint8_t>& data_entry) {
  std::vector<uint8_t> archive;
  const std::vector<uint8_t> name = Bytes({'a', 0, '.', 0, 'b', 0});
  AppendSknzEntry(&archive, name.data(), name.size(), false);
  archive.insert(archive.end(), data_entry.begin(), data_entry.end());
  return archive;
}

TEST(BriefLz, DecodesHandWrittenBlocksIncludingAnOverlappingMatch) {
  // 'a', then tag 0x8000: a match (1), length gamma 2 (bits 0,0) = 4,
  // offset gamma 2 (bits 0,0) and low byte 0 = 1: "aaaaa".
  const std::vector<uint8_t> block = Bytes({'a', 0x00, 0x80, 0x00});
  uint8_t out[5] = {};
  size_t consumed = 0;
  ASSERT_TRUE(DecodeBriefLzBlock(block.data(), block.size(), out, sizeof out, &consumed));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 5), "aaaaa");
  EXPECT_EQ(consumed, 4u);
  // Literal bits only: 'a', tag 0x0000, 'b'.
  const std::vector<uint8_t> literals = Bytes({'a', 0x00, 0x00, 'b'});
  ASSERT_TRUE(DecodeBriefLzBlock(literals.data(), literals.size(), out, 2, &consumed));
  EXPECT_EQ(out[1], 'b');
  EXPECT_EQ(consumed, 4u);
}

TEST(BriefLz, RoundTripsRandomRepetitiveAndOverlappingDataAcrossBlockSizes) {
  std::mt19937 random(9);
  std::vector<std::vector<uint8_t>> inputs;
  inputs.emplace_back();                             // empty
  inputs.push_back(Bytes({7}));                      // one byte: no tag word
  inputs.push_back(Bytes({1, 2, 3, 1, 2, 3, 1, 2}));  // overlapping match
  std::vector<uint8_t> noise(70000);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  inputs.push_back(noise);
  inputs.push_back(std::vector<uint8_t>(300000, 0));  // one long run
  std::vector<uint8_t> periods;
  for (int i = 0; i < 120000; ++i) periods.push_back(static_cast<uint8_t>("abc"[i % 3] + (i / 4000) % 5));
  inputs.push_back(periods);
  std::vector<uint8_t> mixed;  // matches far back, past 256 and 65536 bytes
  for (int i = 0; i < 200000; ++i) mixed.push_back(i % 977 < 500 ? noise[i % 600] : static_cast<uint8_t>(random() & 3));
  inputs.push_back(mixed);

  for (uint32_t block_size : {1u, 7u, 4096u, 1u << 16, 1u << 20}) {
    for (auto input : inputs) {
      // Tiny blocks only need to meet each other a few thousand times.
      if (block_size < 4096 && input.size() > 5000) input.resize(5000);
      std::vector<uint8_t> archive;
      AppendSknzMember(&archive, u"first.png", Bytes({1, 2}), true, block_size);
      AppendSknzMember(&archive, u"image.png", input, true, block_size);
      std::vector<uint8_t> out;
      ASSERT_TRUE(Find(archive, u"image.png", &out)) << input.size() << " in blocks of " << block_size;
      EXPECT_EQ(out, input) << input.size() << " in blocks of " << block_size;
    }
  }
  // Repetitive data is really compressed, and random data really stored.
  std::vector<uint8_t> packed;
  AppendSknzEntry(&packed, inputs[4].data(), inputs[4].size(), true);
  EXPECT_LT(packed.size(), 2000u);
  std::vector<uint8_t> stored;
  AppendSknzEntry(&stored, noise.data(), noise.size(), true);
  EXPECT_EQ(stored.size(), noise.size() + 8);
}

TEST(SknzArchive, StoredAndCompressedEntriesReadAlikeAndNamesMatchExactly) {
  const std::vector<uint8_t> data(5000, 'x');
  std::vector<uint8_t> archive;
  AppendSknzMember(&archive, u"Upper.png", data, true);
  AppendSknzMember(&archive, u"stored.png", data, false);
  AppendSknzMember(&archive, u"packed.png", data, true);
  std::vector<uint8_t> out;
  EXPECT_TRUE(Find(archive, u"stored.png", &out));
  EXPECT_EQ(out, data);
  EXPECT_TRUE(Find(archive, u"packed.png", &out));
  EXPECT_EQ(out, data);
  EXPECT_FALSE(Find(archive, u"upper.png", &out));
  EXPECT_FALSE(Find(archive, u"packed", &out));
  // A name entry whose text ends early at a zero character.
  std::vector<uint8_t> zero_ended;
  const std::vector<uint8_t> name = Bytes({'a', 0, 0, 0, 'z', 0});
  AppendSknzEntry(&zero_ended, name.data(), name.size(), false);
  AppendSknzEntry(&zero_ended, data.data(), 3, false);
  EXPECT_TRUE(Find(zero_ended, u"a", &out));
  EXPECT_EQ(out.size(), 3u);
}

TEST(SknzArchive, DamagedAndHostileArchivesReadAsNotFound) {
  std::vector<uint8_t> out;
  std::vector<uint8_t> good;
  AppendSknzMember(&good, u"a.b", std::vector<uint8_t>(3000, 'q'), true);
  // Cut anywhere, the member is gone and nothing reads past the end.
  for (size_t cut = 0; cut < good.size(); ++cut) {
    const std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut));
    EXPECT_FALSE(Find(truncated, u"a.b", &out)) << "cut at " << cut;
  }
  // A name entry with no data entry after it.
  std::vector<uint8_t> odd;
  AppendSknzMember(&odd, u"x.y", Bytes({1}), false);
  const std::vector<uint8_t> name = Bytes({'a', 0, '.', 0, 'b', 0});
  AppendSknzEntry(&odd, name.data(), name.size(), false);
  EXPECT_FALSE(Find(odd, u"a.b", &out));

  const std::vector<uint8_t> literal_block = Bytes({'a', 0x00, 0x00, 'b'});
  EXPECT_TRUE(Find(NamedArchive(StreamEntry(2, 2, 2, literal_block)), u"a.b", &out));
  // 4 GB unpacked: refused before anything is allocated.
  EXPECT_FALSE(Find(NamedArchive(StreamEntry(0xFFFFFFFFu, 0xFFFFFFFFu, 1u << 16, literal_block)), u"a.b", &out));
  // Block size 0, sizes that disagree, a wrong magic.
  EXPECT_FALSE(Find(NamedArchive(StreamEntry(2, 2, 0, literal_block)), u"a.b", &out));
  EXPECT_FALSE(Find(NamedArchive(StreamEntry(2, 3, 2, literal_block)), u"a.b", &out));
  EXPECT_FALSE(Find(NamedArchive(StreamEntry(2, 2, 2, literal_block, 0x7A6C6231)), u"a.b", &out));
  // A match reaching before the block's start (offset 2 after one byte),
  // and one running past the block's end (length 4 into 3 bytes).
  EXPECT_FALSE(Find(NamedArchive(StreamEntry(5, 5, 5, Bytes({'a', 0x00, 0x80, 0x01}))), u"a.b", &out));
  EXPECT_FALSE(Find(NamedArchive(StreamEntry(3, 3, 3, Bytes({'a', 0x00, 0x80, 0x00}))), u"a.b", &out));
  // Blocks that claim more than the stream holds: the second block's
  // match cannot reach back into the first.
  EXPECT_FALSE(
      Find(NamedArchive(StreamEntry(7, 7, 2, Bytes({'a', 0x00, 0x00, 'b', 'c', 0x00, 0x80, 0x04}))), u"a.b", &out));
  // A stored size past the end of the file.
  std::vector<uint8_t> oversized = NamedArchive({});
  PutU32(&oversized, 10);
  PutU32(&oversized, 0x7FFFFFFF);
  oversized.push_back(1);
  EXPECT_FALSE(Find(oversized, u"a.b", &out));
  // Within the limit a member reads; past it, it does not.
  std::vector<uint8_t> big;
  AppendSknzMember(&big, u"a.b", std::vector<uint8_t>(100000, 0), true);
  SknzLimits small;
  small.max_member = 65536;
  EXPECT_TRUE(Find(big, u"a.b", &out));
  EXPECT_FALSE(Find(big, u"a.b", &out, small));
}

}  // namespace
}  // namespace lumora
