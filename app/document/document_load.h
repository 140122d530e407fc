// Reading a file into the editing component: the file's bytes, all of them
// and unchanged, become a new document that replaces the current one only
// once it is complete.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "app/document/file_stamp.h"

namespace tavrel {

enum class LoadResult { kLoaded, kCannotOpen, kReadFailed, kOutOfMemory };

// The file is streamed in blocks of this size at most, never held whole
// outside the component.
inline constexpr std::size_t kLoadChunkBytes = std::size_t{1} << 20;

// A file at least this large shows its progress in the title from the
// start of its load.
inline constexpr unsigned long long kLongLoadBytes = 64ull << 20;

// On success the editing component shows the new document from its start,
// with the old document's settings (code page, line-end mode, tabs, undo
// collection); the caller empties its undo history and sets the save point.
// On any failure the current document, its settings and its view are as
// they were. read_stamp, when given, receives the stamp of the file as it
// stood when its last byte had been read (none if the system would not
// say), so that a later change by another program can be told.
LoadResult LoadDocumentFile(const std::wstring& path, std::optional<FileStamp>* read_stamp = nullptr);

}  // namespace tavrel
