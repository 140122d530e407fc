// Writing the editing component's text, or any bytes, to a file so that the file is
// either wholly the new text or, when anything fails, exactly what it was,
// and stays the same file: links, other names, permissions and owner.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrel {

enum class SaveResult {
  kSaved,
  // The target cannot be written where it stands (read-only, locked, a
  // folder, or a new file whose folder is missing or closed to us), or no
  // copy of its old bytes could be made; nothing was written.
  kCannotCreate,
  // The component could not hand over its text.
  kCannotAllocate,
  // Writing, flushing or putting the new file in place failed.
  kWriteFailed,
};

// The text goes out in blocks of this size at most.
inline constexpr std::size_t kSaveChunkBytes = std::size_t{1} << 20;

// Writes every byte of the document to target. Where putting another file
// in target's place keeps everything that makes it that file, the text goes
// to a new file beside it, made durable, then put in its place, so that a
// crash at any moment leaves either the old file or the new one whole;
// otherwise (a link, a file of several names, a file whose owner or
// permissions a new file would not get, a folder that takes no new files)
// a durable copy of the old bytes is made first, the text is written into
// target itself, and the old bytes go back from the copy should that fail. On failure target holds its old bytes and no side
// file is left, unless even putting the old bytes back failed: then their
// copy stays, beside target or in the temporary folder. The component's
// save point is the caller's business.
SaveResult SaveDocumentFile(const std::wstring& target);

// Any bytes, written to target the same way (the editor's own files go
// through it too). Never kCannotAllocate.
SaveResult SaveFileBytes(const std::wstring& target, std::string_view bytes);

}  // namespace tavrel
