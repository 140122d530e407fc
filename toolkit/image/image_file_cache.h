// The cache of images loaded from files: one image per file and requested
// shape, shared by every caller that asks for it, with a reference count per
// image. The handles are opaque numbers here; the Win32 side owns them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace lumora {

class ImageFileCache {
 public:
  // The key of a request. File names are compared without regard to ASCII
  // case or the kind of slash, as the file system does; the size and the
  // icon flag are part of the key because they change the image returned.
  static std::u16string Key(std::u16string_view path, int32_t width, int32_t height, bool as_icon);

  // The cached handle for a key, its count raised by one; nothing when the
  // key is not cached.
  std::optional<uintptr_t> Take(const std::u16string& key);
  // Records a freshly loaded handle with a count of 1. A handle of 0 is not
  // recorded.
  void Insert(const std::u16string& key, uintptr_t handle);
  // 0 for a handle the cache does not hold.
  int64_t ReferenceCount(uintptr_t handle) const;
  // Lowers the count; true when it reached 0 and the entry was dropped, so
  // the caller must free the image. False for an unknown handle.
  bool Release(uintptr_t handle);
  size_t size() const { return handles_.size(); }
  void Clear();

 private:
  struct Entry {
    uintptr_t handle = 0;
    int64_t count = 0;
  };
  std::unordered_map<std::u16string, Entry> entries_;
  std::unordered_map<uintptr_t, std::u16string> handles_;
};

}  // namespace lumora
