#include "app/shell/main_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/document/document_files.h"
#include "app/shell/command_surfaces_win32.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/shell/element_ids.h"
#include "app/shell/image_indexes.h"
#include "app/shell/resource_ids.h"
#include "app/shell/scintilla_messages.h"
#include "app/search/find_in_document_win32.h"
#include "app/search/search_strip_win32.h"
#include "app/shell/text_encoding.h"
#include "app/shell/view_options_win32.h"
#include "app/spelling/spell_check_win32.h"
#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "platform/startup_trace_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/image/image_file_win32.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/bars/size_limits_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/drawing_win32.h"

namespace tavrel {
namespace {

using namespace lumora;

struct ImageRow {
  int index;
  const wchar_t* normal;
  const wchar_t* hot;
  const wchar_t* pressed;
  bool natural;
};

const ImageRow kImages[] = {
    {kImageFind, L"09276.ico", nullptr, nullptr, false},
    {kImageNew, L"00018.ico", nullptr, nullptr, false},
    {kImageOpen, L"00023.ico", nullptr, nullptr, false},
    {kImageSave, L"00003.ico", nullptr, nullptr, false},
    {kImagePrint, L"00004.ico", nullptr, nullptr, false},
    {kImageSpellCheck, L"00002.ico", nullptr, nullptr, false},
    {kImageCut, L"00021.ico", nullptr, nullptr, false},
    {kImageCopy, L"00019.ico", nullptr, nullptr, false},
    {kImagePaste, L"00022.ico", nullptr, nullptr, false},
    {kImageUndo, L"00128.ico", nullptr, nullptr, false},
    {kImageRedo, L"00129.ico", nullptr, nullptr, false},
    {kImageMagnifier, L"search_small.ico", L"search_small_h.ico", L"search_small_p.ico", true},
    {kImageClear, L"x.ico", L"x_h.ico", L"x_p.ico", true},
    {kImageFont, L"00253.ico", nullptr, nullptr, false},
    {kImageHelp, L"00984.ico", nullptr, nullptr, false},
};

// The images of the table, which the editor's record only points at.
std::vector<platform::UniqueImage> g_images;

// The editing component's library, held while its windows may exist.
platform::UniqueModule g_scintilla;

// The component's library is loaded on a thread of its own while the bars
// are built: mapping and starting it takes milliseconds that the building
// spends mostly waiting on the window system.
std::thread g_preload;
HMODULE g_preloaded = nullptr;

// The image table is read on a thread of its own while the main window is
// made, which is mostly waiting on the window system; the menus are the
// first to need the images.
std::thread g_image_loader;

void WaitForImages() {
  if (g_image_loader.joinable()) g_image_loader.join();
}

HMODULE TakePreloadedEditorLibrary() {
  if (g_preload.joinable()) g_preload.join();
  HMODULE library = g_preloaded;
  g_preloaded = nullptr;
  return library ? library : LoadLibraryW(L"Scintilla64.dll");
}

HANDLE Keep(HANDLE image) {
  if (!image) return nullptr;
  g_images.emplace_back(image);
  return image;
}

// The side of the tool-bar and menu images on this screen: one of the
// sizes the icon folders hold, chosen at start-up.
int IconSize() { return g_caps.default_icon_width; }

HANDLE Load(const wchar_t* file, bool natural) {
  if (!file) return nullptr;
  const int icon = IconSize();
  // The 16-pixel images are the folder's own; larger ones have a folder
  // each, so that no image is ever stretched from a smaller one.
  std::wstring path = L"icons\\Office Icons\\";
  if (icon != 16) path += std::to_wstring(icon) + L"x" + std::to_wstring(icon) + L"\\";
  path += file;
  const int size = natural && icon == 16 ? 0 : icon;
  return Keep(LoadImageFile(path.c_str(), size, size, 0));
}

void BuildMenus(HWND window) {
  MenuCreateBar(kMainMenu, window, static_cast<int32_t>(g_editor.bar_style));
  if (HWND bar = reinterpret_cast<HWND>(MenuExists(kMainMenu))) {
    // Titles must never wrap to a second row.
    const LRESULT style = SendMessageW(bar, TB_GETSTYLE, 0, 0);
    SendMessageW(bar, TB_SETSTYLE, 0, style & ~TBSTYLE_WRAPABLE);
    SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_HIDECLIPPEDBUTTONS);
  }
  AddMainMenuItems(window);
}

void BuildMainToolbar(HWND window) {
  CreateToolbar(kMainToolbar, window, IconSize(), IconSize(), static_cast<uint32_t>(g_editor.bar_style) | TOOLBAR_HIDE_CLIPPED);
  AddMainToolbarButtons();
}

// The main tool bar's band is asked for 217 pixels, but the band's own
// gripper and borders come out of that, and with clipped buttons hidden a
// shortfall of two pixels would hide the Paste button: the band is widened
// to what its buttons need. It then gets its chevron, with exactly that as
// its ideal width, so that the rebar shows the chevron (and the buttons it
// hides) only when the window is too narrow for all of them. Measured
// before the chevron exists, which takes room of its own.
void FitBandToToolbar(HWND rebar, UINT band_id, HWND toolbar) {
  const LRESULT index = SendMessageW(rebar, RB_IDTOINDEX, band_id, 0);
  SIZE need{};
  if (index < 0 || !SendMessageW(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&need))) return;
  REBARBANDINFOW band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_STYLE | RBBIM_SIZE;
  if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band))) return;
  RECT band_rect{}, child{};
  SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band_rect));
  GetClientRect(toolbar, &child);
  // What the band keeps for itself is whatever its width leaves the tool bar.
  const LONG overhead = (band_rect.right - band_rect.left) - child.right;
  band.fMask = RBBIM_STYLE | RBBIM_SIZE | RBBIM_IDEALSIZE;
  band.fStyle |= RBBS_USECHEVRON;
  // Above 96 DPI the asked width is only the design's scaled, while the
  // buttons grow by the icon sizes at hand: the band takes what they need.
  const auto fitted = static_cast<UINT>(need.cx + overhead);
  band.cx = g_caps.dpi == kDesignDpi ? std::max<UINT>(band.cx, fitted) : fitted;
  band.cxIdeal = static_cast<UINT>(need.cx);
  SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
}

// The width of all the menu bar's titles. Its band is not narrower while
// the window has room, so the rebar wraps its bands into rows rather than
// hide a title.
int32_t MenuBarTitlesWidth(HWND menu_bar, int32_t at_least) {
  SIZE size{};
  if (!menu_bar || !SendMessageW(menu_bar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size))) return at_least;
  return std::max<int32_t>(at_least, size.cx);
}

// In a window narrower than that the band shows what titles fit and
// offers the rest in its chevron, as the tool bar's band offers buttons; the
// chevron appears only when the band is narrower than all the titles.
void GiveMenuBandChevron(HWND rebar, UINT band_id, HWND menu_bar) {
  const LRESULT index = SendMessageW(rebar, RB_IDTOINDEX, band_id, 0);
  SIZE need{};
  if (index < 0 || !menu_bar || !SendMessageW(menu_bar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&need))) return;
  REBARBANDINFOW band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_STYLE;
  if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band))) return;
  band.fMask = RBBIM_STYLE | RBBIM_IDEALSIZE;
  band.fStyle |= RBBS_USECHEVRON;
  band.cxIdeal = static_cast<UINT>(need.cx);
  SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
}

// The height of the menu bar's band: the bar less a small margin, but never
// less than its title buttons, which the bar hides when clipped. The bar's
// first height does not follow its font, its buttons do: on a screen above
// 96 DPI the margin alone would clip (and so hide) every title.
int32_t MenuBandHeight(HWND menu_bar) {
  const int32_t titles = menu_bar ? HIWORD(SendMessageW(menu_bar, TB_GETBUTTONSIZE, 0, 0)) : 0;
  return std::max<int32_t>(MenuBarHeight(kMainMenu) - ScreenPixels(3), titles);
}

HWND CreateEditor(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const int top = static_cast<int>(RebarGetHeight(kMainRebar));
  HWND editor = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, top, client.right,
                                client.bottom - top, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!editor) platform::LogWin32Failure("CreateWindowEx (editing component)");
  return editor;
}

}  // namespace

HWND MainWindow() { return g_editor.main_window; }

void ConfigureEditor() {
  SendEditor(SCI_SETCODEPAGE, 65001);
  SendEditor(SCI_SETKEYSUNICODE, 1);
  SendEditor(SCI_USEPOPUP, 0);
  // Tab must insert a tab in the text: the main window has no keyboard
  // accelerator and the event loop does no dialog navigation, so the key
  // reaches the component as it is.
  // The component reads face names as UTF-8.
  const std::string face = Utf8FromWide(g_editor.font_name);
  SendEditor(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(face.c_str()));
  SendEditor(SCI_STYLESETSIZE, STYLE_DEFAULT, static_cast<LPARAM>(g_editor.font_size));
  // In a font whose ASCII characters are all of one width, plain ASCII text
  // is laid out by multiplying instead of measuring every character: what
  // makes a line of many megabytes quick to lay out.
  SendEditor(SCI_STYLESETCHECKMONOSPACED, STYLE_DEFAULT, 1);
  SendEditor(SCI_STYLESETCHECKMONOSPACED, 0, 1);
  SendEditor(SCI_SETMARGINWIDTHN, kSymbolMargin, static_cast<LPARAM>(ScreenPixels(static_cast<int>(g_editor.symbol_margin_width))));
  SendEditor(SCI_SETSCROLLWIDTH, 1);
  SendEditor(SCI_SETSCROLLWIDTHTRACKING, 1);
  SendEditor(SCI_INDICSETSTYLE, kSpellingIndicator, INDIC_SQUIGGLE);
  SendEditor(SCI_INDICSETFORE, kSpellingIndicator, RGB(255, 0, 0));
  SendEditor(SCI_INDICSETSTYLE, kCurrentMatchIndicator, INDIC_ROUNDBOX);
  SendEditor(SCI_INDICSETFORE, kCurrentMatchIndicator, RGB(0, 230, 0));
  SendEditor(SCI_INDICSETUNDER, kCurrentMatchIndicator, 1);
  SendEditor(SCI_INDICSETALPHA, kCurrentMatchIndicator, 150);
  SendEditor(SCI_INDICSETOUTLINEALPHA, kCurrentMatchIndicator, 255);
  SendEditor(SCI_INDICSETSTYLE, kOtherMatchIndicator, INDIC_ROUNDBOX);
  SendEditor(SCI_INDICSETFORE, kOtherMatchIndicator, RGB(230, 230, 0));
  SendEditor(SCI_INDICSETUNDER, kOtherMatchIndicator, 1);
  SendEditor(SCI_INDICSETALPHA, kOtherMatchIndicator, 120);
  SendEditor(SCI_INDICSETOUTLINEALPHA, kOtherMatchIndicator, 255);
}

void PreloadEditorLibrary() {
  if (g_scintilla || g_preload.joinable()) return;
  try {
    g_preload = std::thread([] { g_preloaded = LoadLibraryW(L"Scintilla64.dll"); });
  } catch (...) {
    platform::LogCurrentException("starting the editing component's loader");  // loaded when needed instead
  }
}

void StartLoadingImages() {
  if (g_image_loader.joinable()) return;
  try {
    g_image_loader = std::thread([] {
      try {
        LoadImages();
      } catch (...) {
        platform::LogCurrentException("loading the images");  // the bars show no image where one is missing
      }
    });
  } catch (...) {
    platform::LogCurrentException("starting the image loader");
    LoadImages();
  }
}

void LoadImages() {
  for (const ImageRow& row : kImages) {
    auto& slot = g_editor.images[row.index];
    slot.normal = Load(row.normal, row.natural);
    slot.hot = Load(row.hot, row.natural);
    slot.pressed = Load(row.pressed, row.natural);
  }
  if (HANDLE x = g_editor.images[kImageClear].normal)
    g_editor.images[kImageClear].disabled = Keep(ImageEffect(x, 30, 0, 0, 0, 0, 1));
}

void FreeMainWindowResources() {
  WaitForImages();
  if (g_preload.joinable()) g_preload.join();
  if (g_preloaded) g_scintilla.reset(std::exchange(g_preloaded, nullptr));
  FreeSearchStrip();
  for (ImageSet& set : g_editor.images) set = ImageSet{};
  g_images.clear();
  g_scintilla.reset();
}

bool BuildMainWindow(HINSTANCE instance, WNDPROC window_proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = window_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The program's own icon, in the sizes the caption and Alt+Tab ask for.
  // Shared: the system owns them and keeps them for the life of the module.
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVREL), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVREL), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"Tavrel";
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    platform::LogWin32Failure("RegisterClassEx (main window)");
  // Only now: the library's loading holds the loader lock throughout, and
  // the class cursor above is read from a library's resources under it.
  PreloadEditorLibrary();
  // 800 x 500 at 96 DPI, growing with the screen's DPI but never past the
  // screen itself, centred on it.
  const int width = std::min(ScreenPixels(800), GetSystemMetrics(SM_CXSCREEN));
  const int height = std::min(ScreenPixels(500), GetSystemMetrics(SM_CYSCREEN));
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, x >= 0 ? x : 50, y >= 0 ? y : 50,
                                width, height, nullptr, nullptr, instance, nullptr);
  if (!window) {
    platform::LogWin32Failure("CreateWindowEx (main window)");
    return false;
  }
  g_editor.main_window = window;
  SetWindowSizeLimits(window, ScreenPixels(363), ScreenPixels(200), 0, 0);
  UpdateWindowTitle();
  platform::StartupMark("main-window-created");
  WaitForImages();
  platform::StartupMark("images-loaded");
  BuildMenus(window);
  platform::StartupMark("menus-built");
  BuildMainToolbar(window);
  platform::StartupMark("main-toolbar-built");
  BuildSearchStrip(window, instance);
  platform::StartupMark("search-strip-built");
  ToolbarUseClassicTheme(kMainToolbar);

  const int32_t style = (g_editor.bar_style == 0x1000000 || g_editor.bar_style == 0x2000000)
                            ? static_cast<int32_t>(0x200 | g_editor.bar_style)
                            : 0x200;
  CreateRebar(kMainRebar, window, nullptr, style, 1);
  HWND menu_bar = reinterpret_cast<HWND>(MenuExists(kMainMenu));
  const int32_t toolbar_band = RebarAddBand(ToolbarWindow(kMainToolbar), L"", ScreenPixels(217), ScreenPixels(2), 0, nullptr, 0);
  const int32_t menu_band =
      RebarAddBand(menu_bar, L"", ScreenPixels(172), MenuBarTitlesWidth(menu_bar, ScreenPixels(70)),
                   MenuBandHeight(menu_bar), nullptr, 0x84);
  g_editor.search_band_id = RebarAddBand(ToolbarWindow(kSearchStripToolbar), L"", ScreenPixels(206),
                                         ScreenPixels(200), 0, nullptr, 0x102);
  SetSearchBandWidth(ScreenPixels(200));
  if (toolbar_band >= 0)
    FitBandToToolbar(RebarWindow(kMainRebar), static_cast<UINT>(toolbar_band), ToolbarWindow(kMainToolbar));
  if (menu_band >= 0) GiveMenuBandChevron(RebarWindow(kMainRebar), static_cast<UINT>(menu_band), menu_bar);
  platform::StartupMark("rebar-built");

  if (!g_scintilla) g_scintilla.reset(TakePreloadedEditorLibrary());
  HWND editor = CreateEditor(window);
  platform::StartupMark("editor-created");
  if (!editor) {
    MessageBoxW(nullptr, L"Scintilla DLL/s not found!", L"Error!", MB_OK | MB_ICONERROR);
    return false;
  }
  SetWindowLongPtrW(editor, GWL_STYLE, GetWindowLongPtrW(editor, GWL_STYLE) | WS_CLIPCHILDREN);
  g_editor.editor_control = editor;
  ConfigureEditor();
  return true;
}

void LayoutEditor() {
  HWND editor = g_editor.editor_control;
  HWND window = g_editor.main_window;
  if (!window || !editor) return;
  RECT client;
  GetClientRect(window, &client);
  const int top = static_cast<int>(RebarGetHeight(kMainRebar));
  MoveWindow(editor, 0, top, client.right, client.bottom - top > 0 ? client.bottom - top : 0, TRUE);
}

}  // namespace tavrel
