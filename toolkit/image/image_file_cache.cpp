#include "toolkit/image/image_file_cache.h"

namespace lumora {

std::u16string ImageFileCache::Key(std::u16string_view path, int32_t width, int32_t height, bool as_icon) {
  std::u16string key;
  key.reserve(path.size() + 24);
  for (char16_t c : path) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c == u'/') c = u'\\';
    key.push_back(c);
  }
  // '|' cannot occur in a file name, so the suffix never collides with one.
  const std::string size = std::to_string(width) + 'x' + std::to_string(height);
  key.push_back(u'|');
  for (char c : size) key.push_back(static_cast<char16_t>(c));
  key.push_back(as_icon ? u'i' : u'b');
  return key;
}

std::optional<uintptr_t> ImageFileCache::Take(const std::u16string& key) {
  auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  ++found->second.count;
  return found->second.handle;
}

void ImageFileCache::Insert(const std::u16string& key, uintptr_t handle) {
  if (handle == 0) return;
  auto old = entries_.find(key);
  if (old != entries_.end()) handles_.erase(old->second.handle);
  entries_[key] = Entry{handle, 1};
  handles_[handle] = key;
}

int64_t ImageFileCache::ReferenceCount(uintptr_t handle) const {
  auto found = handles_.find(handle);
  if (found == handles_.end()) return 0;
  return entries_.at(found->second).count;
}

bool ImageFileCache::Release(uintptr_t handle) {
  auto found = handles_.find(handle);
  if (found == handles_.end()) return false;
  auto entry = entries_.find(found->second);
  if (--entry->second.count > 0) return false;
  entries_.erase(entry);
  handles_.erase(found);
  return true;
}

void ImageFileCache::Clear() {
  entries_.clear();
  handles_.clear();
}

}  // namespace lumora
