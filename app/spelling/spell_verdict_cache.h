// Verdicts of the spelling library on words already judged, so that a
// document asks the library once per distinct word rather than per word.
// Bounded: a long session over many documents would otherwise keep every
// distinct word it ever saw. Two generations make it roughly least recently
// used at the cost of a hash look-up: new and recently used words live in
// the young one; when that fills, it becomes the old one and the previous
// old one is dropped; a word found in the old one moves back to the young.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tavrel {

class SpellVerdictCache {
 public:
  static constexpr std::size_t kDefaultLimit = 1 << 16;

  explicit SpellVerdictCache(std::size_t limit = kDefaultLimit) { SetLimit(limit); }

  // The verdict on word (true: correct), or null when it is not known. The
  // pointer holds until the next change of the cache.
  const bool* Find(std::string_view word);
  void Add(std::string_view word, bool correct);
  // Accepting a word can only turn misspelt verdicts into correct ones.
  void ForgetMisspelt();
  void Clear();

  std::size_t Size() const { return young_.size() + old_.size(); }
  std::size_t Limit() const { return 2 * generation_; }
  // At least 2; the cache is cleared.
  void SetLimit(std::size_t limit);

 private:
  // Hashing by view, so that a look-up costs no allocation.
  struct WordHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view word) const noexcept { return std::hash<std::string_view>{}(word); }
  };
  using Map = std::unordered_map<std::string, bool, WordHash, std::equal_to<>>;

  // Makes room in the young generation for one more word.
  void MakeRoom();

  Map young_;
  Map old_;
  std::size_t generation_ = kDefaultLimit / 2;
};

}  // namespace tavrel
