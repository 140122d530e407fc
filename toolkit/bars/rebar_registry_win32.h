// The rebar and band registries and the process-wide rebar state. Records
// are read through copies, so no caller sends a window message while it
// holds the rebar lock (a message may well come back into the rebar code).
#pragma once
#ifndef _WIN32
#error "rebar_registry_win32.h is Win32 glue"
#endif
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/bars/rebar_height.h"

namespace lumora {

// The band structure as the rebar was first given it (without the later
// chevron fields): every insertion uses this size.
constexpr UINT kBandInfoSize = 112;
constexpr UINT kBandTemplateMask = RBBIM_STYLE | RBBIM_COLORS | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE |
                                   RBBIM_SIZE | RBBIM_BACKGROUND;  // 0xF7
constexpr UINT kBandInsertMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE |
                                 RBBIM_BACKGROUND | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_LPARAM;  // 0x7F5
constexpr UINT kBandTemplateStyle = RBBS_CHILDEDGE;
constexpr uint8_t kBandMarker = 0xFF;
constexpr int32_t kNoInsertionIndex = -2;

struct BandRecord {
  HWND parent = nullptr;  // the rebar's parent
  HWND rebar = nullptr;
  int32_t band_id = 0;
  HWND child = nullptr;
  HBITMAP background = nullptr;
  int32_t min_child = 0;  // the minimum child width asked for
  uint8_t marker = kBandMarker;
};

struct RebarRecord {
  int32_t id = 0;
  HWND window = nullptr;
  HWND parent = nullptr;
  REBARBANDINFOW band_template{};
  HBITMAP background = nullptr;        // in use
  HBITMAP background_given = nullptr;  // as passed at creation
  int32_t ui_style = 0;
  int32_t band_counter = 0;
  bool band_borders = false;
  uint8_t drag_flag = 0;
  RebarHeightTracker height;
  // Bands point at their records through lParam, so the records must not
  // move while the rebar lives.
  std::vector<std::unique_ptr<BandRecord>> bands;
};

// What the painting and notification code needs of a rebar.
struct RebarInfo {
  int32_t id = 0;
  HWND window = nullptr;
  HWND parent = nullptr;
  HBITMAP background = nullptr;
  int32_t ui_style = 0;
  bool band_borders = false;
  uint8_t drag_flag = 0;
  std::vector<HWND> band_children;
};

bool RebarIdTaken(int32_t id);
// The smallest positive id no rebar uses.
int32_t NextFreeRebarId();
// False when the id is taken.
bool RegisterRebar(std::unique_ptr<RebarRecord> record);
// Drops the record of a rebar whose window is going away, so that a later
// window given the same handle is never taken for it.
void UnregisterRebar(HWND window);

std::optional<RebarInfo> FindRebarById(int32_t id);
std::optional<RebarInfo> FindRebarByWindow(HWND window);
std::vector<RebarInfo> AllRebars();

// Registers the record of the rebar's next band and copies the rebar's band
// template into *band_template; the band id is the rebar's band counter,
// which moves on. Returns the record (owned by the registry) or null when
// the rebar is not registered.
BandRecord* RegisterBand(int32_t rebar_id, HWND child, HBITMAP background, REBARBANDINFOW* band_template);
// Forgets a band whose insertion failed.
void UnregisterBand(int32_t rebar_id, const BandRecord* band);

// True when the proposed height of the rebar window differs from the one
// reported last (and remembers it).
bool ProposeRebarHeight(HWND window, bool size_known, int32_t height);

// The rebar's image in use follows a replaced shared bar image.
void ReplaceRebarBackground(HBITMAP old_image, HBITMAP new_image);

// Takes every record out of the registry.
std::vector<std::unique_ptr<RebarRecord>> TakeAllRebars();

int32_t CurrentRebarId();
void SetCurrentRebarId(int32_t id);
int32_t RebarInsertionIndex();
// kNoInsertionIndex (-2) appends bands at the end.
void SetRebarInsertionIndex(int32_t index);

}  // namespace lumora
