// The records behind the toolkit's tool bars: one per tool bar, one per
// slot (button, separator or embedded control), the tooltip texts, the
// current tool bar and the insertion index. Records live in stable storage
// so that the item data of a tool-bar button can point at its record; that
// pointer is only ever trusted after the registry confirms it.
//
// All of this belongs to the user-interface thread; the tool-bar lock is
// held only inside these functions, never while a message is sent, so that
// a notification arriving in the middle of an operation cannot deadlock.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"

namespace lumora {

struct ToolbarRecord {
  int32_t id = -1;
  HWND window = nullptr;
  HWND parent = nullptr;
  // Owned; null when the tool bar was made with an image size of 0.
  platform::UniqueImageList normal, hot, disabled;
  int image_width = 0;
  int image_height = 0;
  // 0, UISTYLE_OFFICE2003, UISTYLE_OFFICE2007 or TOOLBAR_IMAGE_SIZED_BUTTONS.
  int32_t style = 0;
  // The button height once enlarged for the UI styles; 0 until then.
  int button_height = 0;
  bool toolkit_made = true;
  bool menu_bar = false;
  int open_menu_button = -1;
  // Inside ToolbarBeginBatch/EndBatch; `layout_pending` once a slot waits
  // for the layout the end of the batch does.
  bool batching = false;
  bool layout_pending = false;
};

struct ToolbarButtonRecord {
  int32_t id = 0;
  int32_t toolbar_id = -1;
  HWND toolbar_window = nullptr;
  ToolbarRecord* toolbar = nullptr;
  // The caller's images (not owned); the disabled one is null when it was
  // generated, since the generated copy only lives in the image list.
  HICON normal = nullptr;
  HICON hot = nullptr;
  HICON disabled = nullptr;
  bool disabled_generated = false;
  int32_t style = 0;  // the tool bar's style when the slot was added
  std::wstring text;  // as given, markup included
  HWND control = nullptr;
  int32_t control_flag = 0;
  int32_t margin_left = 0, margin_top = 0, margin_right = 0, margin_bottom = 0;
  bool separator = false;
};

ToolbarRecord* RegisterToolbar(std::unique_ptr<ToolbarRecord> record);
// By window handle first, then by id; null when unknown.
ToolbarRecord* FindToolbar(intptr_t id_or_window);
ToolbarRecord* FindToolbarByWindow(HWND window);
ToolbarRecord* FindToolbarById(int32_t id);
std::vector<ToolbarRecord*> AllToolbars();
// Drops the record (its image lists are destroyed) and its slots' records.
void UnregisterToolbar(ToolbarRecord* record);

ToolbarRecord* CurrentToolbar();
void SetCurrentToolbarId(int32_t id);

ToolbarButtonRecord* RegisterButton(std::unique_ptr<ToolbarButtonRecord> record);
void UnregisterButton(const ToolbarButtonRecord* record);
// The record if `data` is the address of a registered one, else null.
ToolbarButtonRecord* ButtonFromItemData(uintptr_t data);
ToolbarButtonRecord* FindButton(HWND toolbar_window, int32_t id);
std::vector<ToolbarButtonRecord*> ButtonsOf(HWND toolbar_window);
std::vector<ToolbarButtonRecord*> AllButtons();

// Tooltip texts, keyed by the button id alone.
void SetTooltipEntry(int32_t button_id, std::wstring text);
std::optional<std::wstring> TooltipEntry(int32_t button_id);
void RemoveTooltipEntry(int32_t button_id);
void ClearTooltipEntries();

// Where new slots go: nothing for the end.
void SetInsertionIndex(std::optional<int32_t> index);
std::optional<int32_t> InsertionIndex();

}  // namespace lumora
