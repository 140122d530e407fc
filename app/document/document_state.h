// The document's part of the editor state: which file it is and how that
// file looked when the editor last read or wrote it.
#pragma once
#include <optional>
#include <string>

#include "app/document/file_stamp.h"

namespace tavrel {

// The value of the document path that marks a document never saved.
inline constexpr wchar_t kUntitledPath[] = L"Untitled";

struct DocumentState {
  std::wstring document_path = kUntitledPath;
  // None while the document has no file or the system would not describe it.
  std::optional<FileStamp> document_stamp;
};

}  // namespace tavrel
