// Writing the editing component's text to a file so that the file is
// either wholly the new text or, when anything fails, exactly what it was.
#pragma once
#include <cstddef>
#include <string>

namespace tavrel {

enum class SaveResult {
  kSaved,
  // The target cannot be written where it stands (read-only, locked, a
  // folder, or its folder is missing or closed to us); nothing was written.
  kCannotCreate,
  // The component could not hand over its text as one block.
  kCannotAllocate,
  // Writing, flushing or putting the new file in place failed.
  kWriteFailed,
};

// The text goes out in blocks of this size at most.
inline constexpr std::size_t kSaveChunkBytes = std::size_t{1} << 20;

// Writes every byte of the document to a new file beside target, makes it
// durable, then puts it in target's place, keeping target's attributes and
// security where the system can. On failure target is untouched and no side
// file is left. The component's save point is the caller's business.
SaveResult SaveDocumentFile(const std::wstring& target);

}  // namespace tavrel
