#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "app/shell/busy_indication_win32.h"
#include "app/document/document_load.h"
#include "app/document/document_naming.h"
#include "app/shell/editor_windows.h"
#include "app/document/file_io_hooks_win32.h"
#include "app/document/file_stamp_win32.h"
#include "app/document/path_forms_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/document/side_files_win32.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"

namespace tavrel {

namespace {

// What the component keeps per document rather than per view. A fresh
// document starts from the component's defaults, so these are carried over
// from the document it replaces.
struct DocumentSettings {
  intptr_t code_page;
  intptr_t eol_mode;
  intptr_t tab_width;
  intptr_t indent;
  intptr_t use_tabs;
  intptr_t tab_indents;
  intptr_t backspace_unindents;
  intptr_t line_end_types;
  intptr_t read_only;
  intptr_t undo_collection;
};

DocumentSettings CaptureDocumentSettings() {
  return DocumentSettings{
      SendEditor(SCI_GETCODEPAGE),          SendEditor(SCI_GETEOLMODE),
      SendEditor(SCI_GETTABWIDTH),          SendEditor(SCI_GETINDENT),
      SendEditor(SCI_GETUSETABS),           SendEditor(SCI_GETTABINDENTS),
      SendEditor(SCI_GETBACKSPACEUNINDENTS), SendEditor(SCI_GETLINEENDTYPESALLOWED),
      SendEditor(SCI_GETREADONLY),          SendEditor(SCI_GETUNDOCOLLECTION),
  };
}

void ApplyDocumentSettings(const DocumentSettings& settings) {
  SendEditor(SCI_SETCODEPAGE, settings.code_page);
  SendEditor(SCI_SETEOLMODE, settings.eol_mode);
  SendEditor(SCI_SETTABWIDTH, settings.tab_width);
  SendEditor(SCI_SETINDENT, settings.indent);
  SendEditor(SCI_SETUSETABS, settings.use_tabs);
  SendEditor(SCI_SETTABINDENTS, settings.tab_indents);
  SendEditor(SCI_SETBACKSPACEUNINDENTS, settings.backspace_unindents);
  SendEditor(SCI_SETLINEENDTYPESALLOWED, settings.line_end_types);
  SendEditor(SCI_SETREADONLY, settings.read_only);
  // The loader's document does not collect undo while it is filled.
  SendEditor(SCI_SETUNDOCOLLECTION, settings.undo_collection);
}

struct ViewPosition {
  intptr_t anchor;
  intptr_t caret;
  intptr_t first_line;
  intptr_t x_offset;
};

ViewPosition CaptureViewPosition() {
  return ViewPosition{SendEditor(SCI_GETANCHOR), SendEditor(SCI_GETCURRENTPOS), SendEditor(SCI_GETFIRSTVISIBLELINE),
                      SendEditor(SCI_GETXOFFSET)};
}

// Creating a loader resets the view's map of document lines to screen lines
// as if its document had a single line. When a load is abandoned the current
// document is attached again, which rebuilds the map, and the view is put
// back where it was.
void ReattachCurrentDocument(const ViewPosition& view) {
  const intptr_t document = SendEditor(SCI_GETDOCPOINTER);
  SendEditor(SCI_ADDREFDOCUMENT, 0, document);
  SendEditor(SCI_SETDOCPOINTER, 0, document);
  SendEditor(SCI_RELEASEDOCUMENT, 0, document);
  SendEditor(SCI_SETSEL, static_cast<uintptr_t>(view.anchor), view.caret);
  SendEditor(SCI_SETFIRSTVISIBLELINE, static_cast<uintptr_t>(view.first_line));
  SendEditor(SCI_SETXOFFSET, static_cast<uintptr_t>(view.x_offset));
  SendEditor(SCI_SETSTATUS, 0);
}

// Releases a loader that never became a document.
class LoaderHold {
 public:
  explicit LoaderHold(ILoader* loader) : loader_(loader) {}
  ~LoaderHold() {
    if (loader_) loader_->Release();
  }
  LoaderHold(const LoaderHold&) = delete;
  LoaderHold& operator=(const LoaderHold&) = delete;

  ILoader* get() const { return loader_; }
  // The finished document, holding one reference that is now the caller's.
  void* ConvertToDocument() {
    void* document = loader_->ConvertToDocument();
    loader_ = nullptr;
    return document;
  }

 private:
  ILoader* loader_;
};

}  // namespace

LoadResult LoadDocumentFile(const std::wstring& path, std::optional<FileStamp>* read_stamp) {
  // Others may keep the file open for writing (a log being written); it is
  // read as it stands.
  platform::UniqueFile file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    // The message box names the file; the log says why.
    platform::LogWin32Failure("CreateFile (opening a document)");
    return LoadResult::kCannotOpen;
  }
  // A save of this file that died left its new text beside it.
  RemoveSideFilesOfEndedSaves(SideFileTarget(path));

  // The size only decides how much room to reserve: reading goes on to the
  // end of the file, whatever it turns out to be.
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) size.QuadPart = 0;
  // Room beyond the text: one byte, so that handing the whole text to a save
  // as one block needs no second buffer of the document's size, and a
  // sixty-fourth more, so that the first edits do not make the component
  // move the whole text into a larger buffer, holding both meanwhile (two
  // gigabytes for one typed letter in a 1 GB document).
  const uint64_t text_size = static_cast<uint64_t>(size.QuadPart);
  const uint64_t reserve = text_size + 1 + text_size / 64;
  int options = SC_DOCUMENTOPTION_STYLES_NONE;  // no lexer: every byte would be style 0 anyway
  if (reserve >= 0x7FFFFFFF) options |= SC_DOCUMENTOPTION_TEXT_LARGE;

  const std::size_t chunk_size = static_cast<std::size_t>(std::clamp<uint64_t>(reserve, 4096, kLoadChunkBytes));
  std::unique_ptr<char[]> chunk(new (std::nothrow) char[chunk_size]);
  if (!chunk) return LoadResult::kOutOfMemory;

  const DocumentSettings settings = CaptureDocumentSettings();
  const ViewPosition view = CaptureViewPosition();
  BusyIndication busy(L"Opening " + FileNamePart(path));
  // The component reserves the whole room before the first byte is read.
  if (text_size >= kLongLoadBytes) busy.ProgressNow(0, text_size);
  LoaderHold loader(reinterpret_cast<ILoader*>(SendEditor(SCI_CREATELOADER, static_cast<uintptr_t>(reserve), options)));
  if (!loader.get()) {
    ReattachCurrentDocument(view);
    return LoadResult::kOutOfMemory;
  }
  uint64_t loaded = 0;
  for (;;) {
    DWORD read = 0;
    if (!g_file_io_hooks.read_file(file.get(), chunk.get(), static_cast<DWORD>(chunk_size), &read)) {
      ReattachCurrentDocument(view);
      return LoadResult::kReadFailed;
    }
    if (read == 0) break;
    if (loader.get()->AddData(chunk.get(), static_cast<std::ptrdiff_t>(read)) != SC_STATUS_OK) {
      ReattachCurrentDocument(view);
      return LoadResult::kOutOfMemory;
    }
    loaded += read;
    busy.Progress(loaded, text_size);
  }
  // Taken while the file is still open, so that it is the file just read.
  if (read_stamp) *read_stamp = StampOfOpenFile(file.get());
  file.close();
  chunk.reset();

  // The view takes its own reference to the new document and drops the old
  // document, which is freed; the loader's reference is ours to release.
  void* document = loader.ConvertToDocument();
  SendEditor(SCI_SETDOCPOINTER, 0, reinterpret_cast<intptr_t>(document));
  SendEditor(SCI_RELEASEDOCUMENT, 0, reinterpret_cast<intptr_t>(document));
  busy.Progress(text_size, text_size);
  ApplyDocumentSettings(settings);
  SendEditor(SCI_SETFIRSTVISIBLELINE, 0);
  SendEditor(SCI_SETXOFFSET, 0);
  SendEditor(SCI_GOTOPOS, 0);
  return LoadResult::kLoaded;
}

}  // namespace tavrel
