#include "toolkit/controls/label_win32.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/controls/button_registry_win32.h"
#include "toolkit/controls/panel_registry_win32.h"
#include "toolkit/controls/skin_image_draw_win32.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/label_layout.h"

namespace lumora {
namespace {

struct LabelRecord {
  int32_t id = 0;
  HWND window = nullptr;  // the panel
  HWND page = nullptr;
  std::wstring text;
  int32_t text_colour = 0;
  int32_t background_colour = -1;
  uint32_t style = 0;
  HFONT font = nullptr;
  HANDLE image = nullptr;
  int32_t fixed_width = 0, fixed_height = 0;
  int32_t measured_width = 0, measured_height = 0;
  int32_t padding_left = 0, padding_top = 0, padding_right = 0, padding_bottom = 0;
};

struct Defaults {
  int32_t text_colour = 0;
  int32_t background_colour = -1;
  HFONT font = nullptr;
};

struct Registry {
  std::vector<std::unique_ptr<LabelRecord>> labels;
  Defaults defaults;
};

Registry& Get() {
  static Registry registry;
  return registry;
}

StaleLock& Lock() { return ButtonLock(); }

LabelRecord* FindLocked(intptr_t label) {
  for (auto& record : Get().labels)
    if (record->window == reinterpret_cast<HWND>(label) || record->page == reinterpret_cast<HWND>(label))
      return record.get();
  if (label < INT32_MIN || label > INT32_MAX) return nullptr;
  for (auto& record : Get().labels)
    if (record->id == label) return record.get();
  return nullptr;
}

LabelRecord* Find(intptr_t label) {
  StaleLockGuard guard(Lock());
  return FindLocked(label);
}

void Forget(HWND page) {
  std::unique_ptr<LabelRecord> doomed;
  StaleLockGuard guard(Lock());
  auto& labels = Get().labels;
  auto it = std::find_if(labels.begin(), labels.end(), [&](const auto& r) { return r->page == page; });
  if (it == labels.end()) return;
  doomed = std::move(*it);
  labels.erase(it);
}

HFONT FontOf(const LabelRecord& label) { return label.font ? label.font : UiFont(); }

uint32_t DrawFlags(const LabelRecord& label) {
  uint32_t flags = LABEL_TOP_ALIGNED;
  if (label.style & LABEL_STYLE_PLAIN) flags |= LABEL_PLAIN;
  if (label.style & LABEL_STYLE_KEEP_COLOUR) flags |= LABEL_KEEP_COLOUR;
  if (label.style & LABEL_STYLE_END_ELLIPSIS) flags |= LABEL_END_ELLIPSIS;
  if (label.style & LABEL_STYLE_PATH_ELLIPSIS) flags |= LABEL_PATH_ELLIPSIS;
  return flags;
}

// The text as measured for the label's size: link markers ("\l" with or
// without a number) take no room. An escaped backslash stays as it is.
std::wstring WithoutLinkMarkers(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size()) {
      const wchar_t code = text[i + 1];
      if (code == L'l' || code == L'L') {
        i += 1;
        while (i + 1 < text.size() && text[i + 1] >= L'0' && text[i + 1] <= L'9') ++i;
        continue;
      }
      out += text[i];
      out += code;
      ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}

SIZE MeasureText(const LabelRecord& label) {
  platform::WindowDc screen(nullptr);
  RECT extent{0, 0, 0, 0};
  const std::wstring text = WithoutLinkMarkers(label.text);
  MeasureLabel(screen.get(), text.c_str(), &extent, FontOf(label), DrawFlags(label) & LABEL_PLAIN);
  return SIZE{extent.right - extent.left, extent.bottom - extent.top};
}

void PaintLabel(HWND page, HDC dc, const RECT& client) {
  LabelRecord label;
  {
    StaleLockGuard guard(Lock());
    LabelRecord* record = FindLocked(reinterpret_cast<intptr_t>(page));
    if (!record) return;
    label = *record;
  }
  if (label.style & LABEL_STYLE_FILL && label.background_colour != -1) {
    platform::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(label.background_colour)));
    FillRect(dc, &client, brush.get());
  }
  RECT area{client.left + label.padding_left, client.top + label.padding_top, client.right - label.padding_right,
            client.bottom - label.padding_bottom};
  if (label.style & LABEL_STYLE_IMAGE && label.image) {
    const SIZE size = SkinImageSize(label.image);
    const int top = area.top + (area.bottom - area.top - size.cy) / 2;
    DrawSkinImage(dc, label.image, SkinBox{area.left, top, area.left + size.cx, top + size.cy});
    area.left += size.cx + 2;
  }
  const SIZE text = MeasureText(label);
  RECT box = area;
  if (label.style & LABEL_STYLE_CENTRE)
    box.left += std::max(0L, (area.right - area.left - text.cx) / 2);
  else if (label.style & LABEL_STYLE_RIGHT)
    box.left = std::max(area.left, area.right - text.cx);
  if (label.style & LABEL_STYLE_CENTRE_VERTICAL) box.top += (area.bottom - area.top - text.cy) / 2;
  platform::SavedDcState saved(dc);
  SetTextColor(dc, static_cast<COLORREF>(label.text_colour));
  SetBkMode(dc, TRANSPARENT);
  DrawLabel(dc, label.text.c_str(), &box, FontOf(label), DrawFlags(label));
}

LRESULT CALLBACK LabelCallback(HWND page, UINT message, WPARAM, LPARAM) {
  if (message == WM_NCDESTROY) Forget(page);
  return 0;
}

// Sizes the label to its text in each dimension that is not fixed.
void Refit(LabelRecord* label) {
  if (label->fixed_width && label->fixed_height) return;
  const SIZE text = MeasureText(*label);
  label->measured_width = text.cx;
  label->measured_height = text.cy;
  RECT rect;
  GetWindowRect(label->window, &rect);
  const int width = label->fixed_width ? label->fixed_width : text.cx + label->padding_left + label->padding_right;
  const int height = label->fixed_height ? label->fixed_height : text.cy + label->padding_top + label->padding_bottom;
  if (width != rect.right - rect.left || height != rect.bottom - rect.top)
    SetWindowPos(label->window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

int32_t Repaint(LabelRecord* label) {
  InvalidateRect(label->page, nullptr, FALSE);
  return 1;
}

}  // namespace

intptr_t CreateTextLabel(int32_t id, HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                         const wchar_t* text) {
  if (!parent) parent = CurrentControlContainer();
  const bool automatic = id == -1;
  {
    StaleLockGuard guard(Lock());
    if (automatic) {
      id = 1;
      while (FindLocked(id)) ++id;
    } else if (FindLocked(id)) {
      return 0;
    }
  }
  HWND page = nullptr;
  const HWND panel = CreateControlPanel(parent, x, y, std::max(width, 1), std::max(height, 1), LabelCallback, &page);
  if (!panel) return 0;
  SetPagePainter(page, PaintLabel);
  auto record = std::make_unique<LabelRecord>();
  record->id = id;
  record->window = panel;
  record->page = page;
  record->text = text ? text : L"";
  record->fixed_width = width;
  record->fixed_height = height;
  LabelRecord* label;
  {
    StaleLockGuard guard(Lock());
    const Defaults& defaults = Get().defaults;
    record->text_colour = defaults.text_colour;
    record->background_colour = defaults.background_colour;
    record->font = defaults.font;
    Get().labels.push_back(std::move(record));
    label = Get().labels.back().get();
  }
  Refit(label);
  return automatic ? id : reinterpret_cast<intptr_t>(panel);
}

int32_t LabelSetColours(intptr_t label, int32_t text_colour, int32_t background_colour) {
  if (label == -1) {
    StaleLockGuard guard(Lock());
    Get().defaults.text_colour = text_colour;
    Get().defaults.background_colour = background_colour;
    return 1;
  }
  LabelRecord* record = Find(label);
  if (!record) return 0;
  record->text_colour = text_colour;
  record->background_colour = background_colour;
  return Repaint(record);
}

int32_t LabelSetStyle(intptr_t label, uint32_t style) {
  LabelRecord* record = Find(label);
  if (!record) return 0;
  record->style = style;
  return Repaint(record);
}

int32_t LabelSetFont(intptr_t label, HFONT font) {
  if (label == -1) {
    StaleLockGuard guard(Lock());
    Get().defaults.font = font;
    return 1;
  }
  LabelRecord* record = Find(label);
  if (!record) return 0;
  record->font = font;
  Refit(record);
  return Repaint(record);
}

int32_t LabelSetText(intptr_t label, const wchar_t* text) {
  LabelRecord* record = Find(label);
  if (!record) return 0;
  record->text = text ? text : L"";
  Refit(record);
  return Repaint(record);
}

int32_t LabelSetPadding(intptr_t label, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  LabelRecord* record = Find(label);
  if (!record) return 0;
  record->padding_left = left;
  record->padding_top = top;
  record->padding_right = right;
  record->padding_bottom = bottom;
  Refit(record);
  return Repaint(record);
}

int32_t LabelSetImage(intptr_t label, HANDLE image) {
  LabelRecord* record = Find(label);
  if (!record) return 0;
  record->image = image;
  return Repaint(record);
}

HWND LabelWindow(intptr_t label) {
  LabelRecord* record = Find(label);
  return record ? record->window : nullptr;
}

int32_t LabelWidth(intptr_t label) {
  LabelRecord* record = Find(label);
  if (!record) return 0;
  RECT rect;
  if (!GetWindowRect(record->window, &rect)) return 0;
  return rect.right - rect.left;
}

void FreeAllLabels() {
  std::vector<HWND> panels;
  {
    StaleLockGuard guard(Lock());
    for (auto& record : Get().labels) panels.push_back(record->window);
  }
  // Each panel's destruction forgets its label (WM_NCDESTROY of the page).
  for (HWND panel : panels) FreePanel(reinterpret_cast<intptr_t>(panel));
  StaleLockGuard guard(Lock());
  Get().labels.clear();
}

void WireLabels() {
  // Shut-down order (low first): after the colour renderings (500), before
  // the panels that hold the labels (600).
  constexpr int32_t kLabelTeardownRank = 550;
  RegisterTeardown(kLabelTeardownRank, "labels", FreeAllLabels);
}

}  // namespace lumora
