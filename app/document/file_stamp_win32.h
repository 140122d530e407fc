// The stamp of a file already open, taken through its handle so that it
// describes exactly the file that was read or written.
#pragma once
#include <windows.h>

#include <optional>

#include "app/document/file_stamp.h"

namespace tavrel {

std::optional<FileStamp> StampOfOpenFile(HANDLE file);

}  // namespace tavrel
