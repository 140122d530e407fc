#include "app/spelling/spell_verdict_cache.h"

#include <algorithm>
#include <utility>

namespace tavrel {

const bool* SpellVerdictCache::Find(std::string_view word) {
  if (const auto found = young_.find(word); found != young_.end()) return &found->second;
  const auto found = old_.find(word);
  if (found == old_.end()) return nullptr;
  // The node moves as it is: no copy of the word, no allocation.
  auto node = old_.extract(found);
  MakeRoom();
  return &young_.insert(std::move(node)).position->second;
}

void SpellVerdictCache::Add(std::string_view word, bool correct) {
  if (const auto found = young_.find(word); found != young_.end()) {
    found->second = correct;
    return;
  }
  if (const auto found = old_.find(word); found != old_.end()) old_.erase(found);
  MakeRoom();
  young_.emplace(word, correct);
}

void SpellVerdictCache::MakeRoom() {
  if (young_.size() < generation_) return;
  old_ = std::move(young_);
  young_ = Map();
  young_.reserve(generation_);
}

void SpellVerdictCache::ForgetMisspelt() {
  std::erase_if(young_, [](const auto& entry) { return !entry.second; });
  std::erase_if(old_, [](const auto& entry) { return !entry.second; });
}

void SpellVerdictCache::Clear() {
  young_ = Map();
  old_ = Map();
}

void SpellVerdictCache::SetLimit(std::size_t limit) {
  generation_ = std::max<std::size_t>(limit / 2, 1);
  Clear();
}

}  // namespace tavrel
