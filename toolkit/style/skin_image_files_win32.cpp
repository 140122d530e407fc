// Finding the file a skin's image value names (loose, in a folder named
// after the skin, or in the skin's ".sknz" archive) and making an icon or
// bitmap of it.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/image/image_bytes_win32.h"
#include "toolkit/image/image_handles_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/skin_archive.h"
#include "toolkit/style/skin_declarations.h"
#include "toolkit/style/skin_image_names.h"
#include "toolkit/style/skin_model.h"

namespace lumora {

namespace {

std::wstring Wide(std::u16string_view text) { return {reinterpret_cast<const wchar_t*>(text.data()), text.size()}; }

// The archive read straight from the file, entry by entry.
class FileSource : public SknzSource {
 public:
  explicit FileSource(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    LARGE_INTEGER size{};
    if (file_ && GetFileSizeEx(file_.get(), &size) && size.QuadPart > 0) remaining_ = size.QuadPart;
  }
  uint64_t Remaining() const override { return remaining_; }
  bool Read(uint8_t* out, size_t size) override {
    if (size > remaining_) return false;
    while (size > 0) {
      const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
      DWORD done = 0;
      if (!ReadFile(file_.get(), out, chunk, &done, nullptr) || done != chunk) return false;
      out += done;
      size -= done;
      remaining_ -= done;
    }
    return true;
  }
  bool Skip(uint64_t size) override {
    if (size > remaining_) return false;
    LARGE_INTEGER move{};
    move.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(file_.get(), move, nullptr, FILE_CURRENT)) return false;
    remaining_ -= size;
    return true;
  }

 private:
  platform::UniqueFile file_;
  uint64_t remaining_ = 0;
};

bool LooseFileExists(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

struct Found {
  std::wstring loose_path;     // candidates a and b
  std::vector<uint8_t> bytes;  // candidate c, the member's content
};

// The first candidate that exists; archive bytes only when `read_member`.
std::optional<Found> FindImage(SkinHandle skin, std::u16string_view value, bool read_member, bool* names_file) {
  *names_file = false;
  const std::u16string skin_name = SkinName(skin);
  if (skin_name.empty() && !IsSkin(skin)) return std::nullopt;
  const auto file_name = SkinImageFileName(value);
  if (!file_name) return std::nullopt;
  *names_file = true;
  Found found;
  found.loose_path = Wide(*file_name);
  if (LooseFileExists(found.loose_path)) return found;
  found.loose_path = Wide(skin_name) + L"\\" + Wide(SkinFilePart(*file_name));
  if (LooseFileExists(found.loose_path)) return found;
  found.loose_path.clear();
  if (SkinFileHasFolder(*file_name)) return std::nullopt;
  FileSource archive(Wide(skin_name) + L".sknz");
  std::vector<uint8_t> member;
  if (!FindSknzMember(archive, *file_name, &member) || member.empty()) return std::nullopt;
  if (read_member) found.bytes = std::move(member);
  return found;
}

template <typename Owner>
struct Held : SkinHeldHandle {
  explicit Held(Owner owner) : held(std::move(owner)) {}
  intptr_t get() const noexcept override { return reinterpret_cast<intptr_t>(held.get()); }
  Owner held;
};

}  // namespace

int32_t ResolveSkinImage(SkinHandle skin, std::u16string_view value) {
  try {
    bool names_file = false;
    if (FindImage(skin, value, false, &names_file)) return 1;
    return names_file ? -1 : 0;
  } catch (const std::exception& caught) {
    platform::LogCaught("ResolveSkinImage", 0, &caught);
    return 0;
  }
}

int32_t LoadSkinImage(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                      std::u16string_view property, std::u16string_view value) {
  try {
    bool names_file = false;
    std::optional<Found> found = FindImage(skin, value, true, &names_file);
    if (!found) return 0;
    const auto dimension = [&](std::u16string_view name) {
      const auto text = FindDeclaration(value, name);
      return text ? ReadIntegerField(SkinAscii(*text)) : 0;
    };
    const int width = dimension(u"width");
    const int height = dimension(u"height");
    platform::UniqueImage image;
    if (!found->loose_path.empty()) {
      image.reset(LoadImageW(nullptr, found->loose_path.c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE));
      if (!image && ReadWholeFile(found->loose_path, &found->bytes))
        image = LoadImageBytes(found->bytes, width, height);
    } else {
      image = LoadImageBytes(found->bytes, width, height);
    }
    if (!image) return 0;
    return StoreSkinImage(skin, component, state, property, std::make_unique<Held<platform::UniqueImage>>(std::move(image)))
               ? 1
               : 0;
  } catch (const std::exception& caught) {
    platform::LogCaught("LoadSkinImage", 0, &caught);
    return 0;
  }
}

}  // namespace lumora
