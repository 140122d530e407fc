#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

#include "app/shell/busy_indication_win32.h"
#include "app/document/document_load.h"
#include "app/document/document_naming.h"
#include "app/document/document_room.h"
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

// A hidden editing window that the new document is built in, so that the
// window the user sees keeps its document, untouched, until the new one is
// whole. Through a window of its own the document can be given its whole
// line index before the text arrives (the component's loader has no way
// to): growing the index as lines come copies it again and again, and for
// a file of gigabytes the old and new copies together cost more than
// the index itself.
class DocumentBuilder {
 public:
  DocumentBuilder()
      : window_(CreateWindowExW(0, L"Scintilla", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                nullptr)) {
    if (!window_) return;
    function_ = reinterpret_cast<Function>(SendMessageW(window_.get(), SCI_GETDIRECTFUNCTION, 0, 0));
    pointer_ = SendMessageW(window_.get(), SCI_GETDIRECTPOINTER, 0, 0);
  }

  // A fresh document of the given room, which the builder holds.
  bool Create(uint64_t text_bytes, int options) {
    if (!function_) return false;
    const intptr_t document = Send(SCI_CREATEDOCUMENT, static_cast<uintptr_t>(text_bytes), options);
    if (!document) return false;
    Send(SCI_SETDOCPOINTER, 0, document);
    Send(SCI_RELEASEDOCUMENT, 0, document);
    // Nobody listens to this window; its document fills without history.
    Send(SCI_SETMODEVENTMASK, 0);
    Send(SCI_SETUNDOCOLLECTION, 0);
    return Ok();
  }
  bool ReserveLines(uint64_t lines) {
    if (lines > 0) Send(SCI_ALLOCATELINES, static_cast<uintptr_t>(lines));
    return Ok();
  }
  bool Append(const char* bytes, std::size_t length) {
    Send(SCI_APPENDTEXT, length, reinterpret_cast<intptr_t>(bytes));
    return Ok();
  }
  intptr_t document() { return Send(SCI_GETDOCPOINTER); }

 private:
  using Function = intptr_t (*)(intptr_t, unsigned, uintptr_t, intptr_t);
  intptr_t Send(unsigned message, uintptr_t wparam = 0, intptr_t lparam = 0) {
    return function_(pointer_, message, wparam, lparam);
  }
  // The component catches its own failures (memory that cannot be had)
  // and keeps them as its status.
  bool Ok() { return Send(SCI_GETSTATUS) == SC_STATUS_OK; }

  platform::UniqueWindow window_;
  Function function_ = nullptr;
  intptr_t pointer_ = 0;
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
  const uint64_t text_size = static_cast<uint64_t>(size.QuadPart);
  const DocumentRoom room = PlanDocumentRoom(text_size);
  int options = SC_DOCUMENTOPTION_STYLES_NONE;  // no lexer: every byte would be style 0 anyway
  if (room.large) options |= SC_DOCUMENTOPTION_TEXT_LARGE;

  const std::size_t chunk_size =
      static_cast<std::size_t>(std::clamp<uint64_t>(room.text_bytes, 4096, kLoadChunkBytes));
  std::unique_ptr<char[]> chunk(new (std::nothrow) char[chunk_size]);
  if (!chunk) return LoadResult::kOutOfMemory;

  const DocumentSettings settings = CaptureDocumentSettings();
  BusyIndication busy(L"Opening " + FileNamePart(path));
  // The component reserves the whole room before the first byte is read.
  if (text_size >= kLongLoadBytes) busy.ProgressNow(0, text_size);
  DocumentBuilder builder;
  if (!builder.Create(room.text_bytes, options)) return LoadResult::kOutOfMemory;
  uint64_t loaded = 0;
  for (;;) {
    DWORD read = 0;
    if (!g_file_io_hooks.read_file(file.get(), chunk.get(), static_cast<DWORD>(chunk_size), &read))
      return LoadResult::kReadFailed;
    if (read == 0) break;
    if (loaded == 0 && !builder.ReserveLines(EstimateLineCount(std::string_view(chunk.get(), read), text_size)))
      return LoadResult::kOutOfMemory;
    if (!builder.Append(chunk.get(), read)) return LoadResult::kOutOfMemory;
    loaded += read;
    busy.Progress(loaded, text_size);
  }
  // Taken while the file is still open, so that it is the file just read.
  if (read_stamp) *read_stamp = StampOfOpenFile(file.get());
  file.close();
  chunk.reset();

  // The view takes its own reference to the new document and drops the old
  // one, which is freed; the builder's reference goes with the builder.
  SendEditor(SCI_SETDOCPOINTER, 0, builder.document());
  busy.Progress(text_size, text_size);
  ApplyDocumentSettings(settings);
  SendEditor(SCI_SETFIRSTVISIBLELINE, 0);
  SendEditor(SCI_SETXOFFSET, 0);
  SendEditor(SCI_GOTOPOS, 0);
  return LoadResult::kLoaded;
}

}  // namespace tavrel
