// What the editor remembers of its document's file as it last read or wrote
// it, so that a save can tell whether another program has changed the file
// since, rather than silently writing over that program's work.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tavrel {

// Enough to tell the same file with the same bytes from anything else: its
// size, its last-write time and which file it is (the volume and the
// file's index on it), so that a file replaced by another of the same size
// and time also counts as changed.
struct FileStamp {
  uint64_t size = 0;
  uint64_t last_write = 0;  // in the system's own units
  uint32_t volume_serial = 0;
  uint64_t file_index = 0;

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// What a look at a path found now.
struct DiskLook {
  enum class Kind {
    kFound,
    // Nothing is there (or not even its folder): a save makes it anew.
    kMissing,
    // Something is there that could not be looked at.
    kUnknown,
  };
  Kind kind = Kind::kUnknown;
  FileStamp stamp;  // for kFound
};

// Whether a save to target must first ask the user before it writes over
// another program's changes. document_path and recorded are the document's
// path and the stamp of its file when the editor last read or wrote it
// (none for a document that has no file yet); now is what is at target.
// Target is the document's own file when it is the document path (letters
// compared without regard to case, as the system names files) or the very
// file recorded, reached by another name. A file that has gone is written
// anew without a question, and one that cannot be looked at is not said to
// have changed: the save itself reports whatever stops it.
bool MustAskBeforeOverwrite(const std::wstring& target, const std::wstring& document_path,
                            const std::optional<FileStamp>& recorded, const DiskLook& now);

// Looks at path without opening it for reading or writing, so that a file
// another program holds open, even without sharing, can still be looked at.
DiskLook LookAtFile(const std::wstring& path);

}  // namespace tavrel
