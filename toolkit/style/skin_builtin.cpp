// The toolkit's built-in skins, defined on first request. Their text values
// live here; images and theme fonts are added by the platform side through
// SkinServices::add_builtin_extras.
#include <array>
#include <initializer_list>

#include "platform/error_log.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/skin_model.h"

namespace lumora {

namespace {

using States = std::initializer_list<const char16_t*>;

const States kFirstFour = {u"normal", u"hot", u"pressed", u"disabled"};
const States kFirstSeven = {u"normal",   u"hot",          u"pressed",         u"disabled",
                            u"selected", u"selected hot", u"selected pressed"};
const States kAllTen = {u"normal",           u"hot",       u"pressed",       u"disabled",
                        u"selected",         u"selected hot", u"selected pressed", u"inbetween",
                        u"inbetween hot", u"inbetween pressed"};
const States kSevenButNormal = {u"hot", u"pressed", u"disabled", u"selected", u"selected hot", u"selected pressed"};
const States kHotAndPressed = {u"hot", u"pressed", u"selected hot", u"selected pressed"};
const States kSplitterStates = {u"normal", u"hot", u"pressed", u"normal vertical", u"hot vertical",
                                u"pressed vertical"};

struct BuiltInName {
  BuiltInSkin which;
  const char16_t* requested;
  const char16_t* created;
};

constexpr std::array<BuiltInName, static_cast<size_t>(BuiltInSkin::kCount)> kBuiltInNames = {{
    {BuiltInSkin::kImageButton, u"imagebuttonskin", u"imageButtonSkin"},
    {BuiltInSkin::kSysButton, u"sysbuttonskin", u"sysButtonSkin"},
    {BuiltInSkin::kSysToggleButton, u"systogglebuttonskin", u"sysToggleButtonSkin"},
    {BuiltInSkin::kSysStickyButton, u"sysstickybuttonskin", u"sysStickyButtonSkin"},
    {BuiltInSkin::kSysRadioButton, u"sysradiobuttonskin", u"sysRadioButtonSkin"},
    {BuiltInSkin::kSysCheckButton, u"syscheckbuttonskin", u"sysCheckButtonSkin"},
    {BuiltInSkin::kSysXBar, u"sysxbarskin", u"sysXBarSkin"},
    {BuiltInSkin::kOffice2007XBar, u"office2007xbarskin", u"office2007XBarSkin"},
    {BuiltInSkin::kSysSplitter, u"syssplitterskin", u"sysSplitterSkin"},
    {BuiltInSkin::kSysSplitter2, u"syssplitter2skin", u"sysSplitter2Skin"},
    {BuiltInSkin::kOffice2007Splitter, u"office2007splitterskin", u"office2007SplitterSkin"},
}};

std::array<SkinHandle, static_cast<size_t>(BuiltInSkin::kCount)> g_slots{};

class Filler {
 public:
  Filler(SkinHandle skin, const char16_t* component) : skin_(skin), component_(component) {}
  void Component(const char16_t* component) { component_ = component; }
  void Set(States states, const char16_t* property, const char16_t* value) const {
    for (const char16_t* state : states) SetSkinProperty(skin_, component_, state, property, value);
  }

 private:
  SkinHandle skin_;
  const char16_t* component_;
};

void FillPushButton(SkinHandle skin, const char16_t* component, bool sticky) {
  Filler f(skin, component);
  f.Set(kFirstSeven, u"image position", u"x: 50%; y: 50%;");
  f.Set(kFirstSeven, u"image padding", u"top: 2; left: 6; bottom: 2; right: 4;");
  f.Set(kFirstSeven, u"text position", u"x: 50%; y: 50%;");
  f.Set(kFirstSeven, u"text padding", u"top: 2; left: 2; bottom: 2; right: 6;");
  f.Set({u"normal"}, u"background", u"8;");
  f.Set({u"hot"}, u"background", u"9;");
  f.Set({u"pressed"}, u"background", u"10;");
  f.Set({u"disabled"}, u"background", u"11;");
  if (sticky) {
    f.Set({u"selected", u"selected hot", u"selected pressed"}, u"background", u"10;");
  } else {
    f.Set({u"selected"}, u"background", u"8;");
    f.Set({u"selected hot"}, u"background", u"9;");
    f.Set({u"selected pressed"}, u"background", u"10;");
  }
}

void FillGlyphButton(SkinHandle skin, const char16_t* component, States states) {
  Filler f(skin, component);
  f.Set(states, u"background", u"-1;");
  f.Set(states, u"image position", u"x: 0; y: centre;");
  f.Set(states, u"image padding", u"top: 2; left: 0; bottom: 2; right: 4;");
  f.Set(states, u"text position", u"x: 0; y: centre;");
  f.Set(states, u"text padding", u"top: 2; left: 2; bottom: 2; right: 6;");
}

void FillXBarItems(Filler& f) {
  f.Component(u"explorerbar group item");
  f.Set(kFirstFour, u"background", u"-1;");
  f.Set(kFirstFour, u"image padding", u"top: 2; left: 0; bottom: 2; right: 4;");
  f.Set(kFirstFour, u"text padding", u"top: 2; left: 2; bottom: 2; right: 6;");
  f.Set({u"normal"}, u"image position", u"x: 0; y: centre;");
  f.Set({u"normal"}, u"text position", u"x: 0; y: centre;");
  f.Set({u"hot", u"pressed", u"disabled"}, u"image position", u"x: 0; y: 50%;");
  f.Set({u"hot", u"pressed", u"disabled"}, u"text position", u"x: 0; y: 50%;");
  f.Set({u"hot", u"pressed"}, u"cursor", u"hand;");
}

void FillSysXBar(SkinHandle skin) {
  Filler f(skin, u"explorerbar");
  f.Set({u"normal"}, u"background", u"1;");
  f.Set({u"normal"}, u"group background", u"3;");
  f.Set({u"normal"}, u"margin", u"top: 12; left: 12; bottom: 12; right: 12;");
  f.Set({u"normal"}, u"group margin", u"top: 10; left: 12; bottom: 10; right: 12;");
  f.Set({u"normal"}, u"group padding", u"bottom: 15;");
  f.Set({u"normal"}, u"item padding", u"bottom: 2;");
  f.Set({u"normal"}, u"header height", u"25;");
  f.Set({u"normal"}, u"item height", u"22;");
  f.Component(u"explorerbar group header");
  f.Set(kFirstSeven, u"background", u"4;");
  f.Set(kFirstSeven, u"background position", u"right: 4; top: 50%; masked: true;");
  f.Set(kFirstSeven, u"image", u"noclip: true;");
  f.Set(kFirstSeven, u"image padding", u"top: 2; left: 0; bottom: 2; right: 4;");
  f.Set(kFirstSeven, u"text padding", u"top: 2; left: 2; bottom: 2; right: 6;");
  f.Set({u"normal"}, u"image position", u"x: 0; y: centre;");
  f.Set(kSevenButNormal, u"image position", u"x: 0%; y: 50%;");
  f.Set({u"normal"}, u"text position", u"x: 12; y: centre;");
  f.Set(kSevenButNormal, u"text position", u"x: 12; y: 50%;");
  f.Set(kHotAndPressed, u"cursor", u"hand;");
  FillXBarItems(f);
}

void FillOffice2007XBar(SkinHandle skin) {
  Filler f(skin, u"explorerbar");
  f.Set({u"normal"}, u"background", u"white;");
  f.Set({u"normal"}, u"group background", u"white;");
  f.Set({u"normal"}, u"border mask", u"-1;");
  f.Set({u"normal"}, u"group border mask", u"-1;");
  f.Set({u"normal"}, u"group margin", u"top: 10; left: 12; bottom: 10; right: 12;");
  f.Set({u"normal"}, u"item padding", u"bottom: 2;");
  f.Set({u"normal"}, u"header height", u"20;");
  f.Set({u"normal"}, u"item height", u"22;");
  f.Component(u"explorerbar group header");
  f.Set(kFirstSeven, u"border mask", u"-1;");
  f.Set(kFirstSeven, u"background position", u"right: 7; top: centre;");
  f.Set(kFirstSeven, u"image padding", u"top: 2; left: 2; bottom: 2; right: 0;");
  f.Set(kFirstSeven, u"text padding", u"top: 2; left: 9; bottom: 2; right: 20;");
  f.Set(kFirstSeven, u"text", u"font: Segoe UI, 8, bold; colour: #15428b;");
  f.Set({u"normal"}, u"image position", u"x: 0; y: centre;");
  f.Set(kSevenButNormal, u"image position", u"x: 0%; y: 50%;");
  f.Set({u"normal"}, u"text position", u"x: 0; y: centre;");
  f.Set(kSevenButNormal, u"text position", u"x: 0; y: 50%;");
  f.Set(kHotAndPressed, u"cursor", u"hand;");
  struct HeaderColours {
    const char16_t* component;
    const char16_t* rest;
    const char16_t* hot;
  };
  const HeaderColours headers[] = {
      {u"explorerbar group header", u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;",
       u"gradient: #e3efff, #e3efff, 0.5, #fefeff;"},
      {u"explorerbar group header:blue", u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;",
       u"gradient: #e3efff, #e3efff, 0.5, #fefeff;"},
      {u"explorerbar group header:silver", u"gradient: #d5dbe7, #d5dbe7, 0.5, #f3f5f5;",
       u"gradient: #e7eaee, #e7eaee, 0.5, #fefefe;"},
      {u"explorerbar group header:black", u"gradient: #dde0e3, #dde0e3, 0.5, #f0f1f2;",
       u"gradient: #e8eaec, #e8eaec, 0.5, #fefefe;"},
      {u"explorerbar group header:grey", u"gradient: #dde0e3, #dde0e3, 0.5, #f0f1f2;",
       u"gradient: #e8eaec, #e8eaec, 0.5, #fefefe;"},
  };
  bool base = true;
  for (const HeaderColours& header : headers) {
    f.Component(header.component);
    f.Set({u"normal", u"selected"}, u"background", header.rest);
    if (base) f.Set({u"disabled"}, u"background", header.rest);
    f.Set(kHotAndPressed, u"background", header.hot);
    base = false;
  }
  for (const char16_t* dark : {u"explorerbar group header:black", u"explorerbar group header:grey"}) {
    f.Component(dark);
    f.Set({u"normal", u"hot", u"pressed", u"selected", u"selected hot", u"selected pressed"}, u"text",
          u"font: Segoe UI, 8, bold; colour: black;");
  }
  FillXBarItems(f);
  f.Set({u"normal", u"disabled"}, u"text", u"font: Segoe UI, 8; colour: #003db2;");
  f.Set({u"hot", u"pressed"}, u"text", u"font: Segoe UI, 8, underline; colour: #003db2;");
}

void FillSplitterGrippers(Filler& f) {
  f.Set({u"normal"}, u"gripper size", u"width: 5;");
  f.Set({u"normal vertical"}, u"gripper size", u"height: 5;");
}

void FillSysSplitter(SkinHandle skin) {
  Filler f(skin, u"splitterex");
  FillSplitterGrippers(f);
  f.Set(kSplitterStates, u"gripper background", u"-1;");
  f.Set({u"normal", u"normal vertical"}, u"background", u"-1;");
}

void FillSysSplitter2(SkinHandle skin) {
  Filler f(skin, u"splitterex");
  FillSplitterGrippers(f);
  f.Set({u"normal"}, u"first padding", u"right: 1;");
  f.Set({u"normal"}, u"second padding", u"left: 1;");
  f.Set({u"normal vertical"}, u"first padding", u"bottom: 1;");
  f.Set({u"normal vertical"}, u"second padding", u"top: 1;");
  f.Set(kSplitterStates, u"background", u"-1;");
  f.Set(kSplitterStates, u"gripper background", u"COLOR_BTNFACE;");
  f.Set(kSplitterStates, u"gripper border mask", u"-1;");
}

void FillOffice2007Splitter(SkinHandle skin) {
  Filler f(skin, u"splitterex");
  f.Set({u"normal vertical"}, u"gripper size", u"width: 100; height: 9;");
  f.Set({u"normal"}, u"gripper size", u"width: 9; height: 100;");
  f.Set({u"normal vertical"}, u"first padding", u"bottom: 1;");
  f.Set({u"normal vertical"}, u"second padding", u"top: 1;");
  f.Set({u"normal"}, u"first padding", u"right: 1;");
  f.Set({u"normal"}, u"second padding", u"left: 1;");
  struct Colours {
    const char16_t* component;
    const char16_t* background;
    const char16_t* vertical_gripper;
    const char16_t* gripper;
  };
  static constexpr const char16_t* kBlueBackground = u"gradient: vertical, rgb(191,219,255), rgb(101,145,205);";
  static constexpr const char16_t* kBlueVertical =
      u"gradient: vertical, rgb(227,239,255), rgb(182,214,255), 0.25, rgb(227,239,255), 0.75, rgb(182,214,255);";
  static constexpr const char16_t* kBlueGripper =
      u"gradient:  rgb(227,239,255), rgb(182,214,255), 0.25, rgb(227,239,255), 0.75, rgb(182,214,255);";
  static constexpr const char16_t* kDarkBackground = u"gradient: vertical, rgb(83,83,83), rgb(10,10,10);";
  static constexpr const char16_t* kDarkVertical =
      u"gradient: vertical, rgb(240,241,242), rgb(195,200,206), 0.25, rgb(240,241,242), 0.75, rgb(195,200,206);";
  static constexpr const char16_t* kDarkGripper =
      u"gradient:  rgb(240,241,242), rgb(195,200,206), 0.25, rgb(240,241,242), 0.75, rgb(195,200,206);";
  const Colours variants[] = {
      {u"splitterex", kBlueBackground, kBlueVertical, kBlueGripper},
      {u"splitterex:blue", kBlueBackground, kBlueVertical, kBlueGripper},
      {u"splitterex:silver", u"gradient: vertical, rgb(208,212,221), rgb(155,159,166);",
       u"gradient: vertical, rgb(168,167,191), rgb(119,118,151), 0.25, rgb(168,167,191), 0.75, rgb(119,118,151);",
       u"gradient:  rgb(168,167,191), rgb(119,118,151), 0.25, rgb(168,167,191), 0.75, rgb(119,118,151);"},
      {u"splitterex:black", kDarkBackground, kDarkVertical, kDarkGripper},
      {u"splitterex:grey", kDarkBackground, kDarkVertical, kDarkGripper},
  };
  for (const Colours& variant : variants) {
    f.Component(variant.component);
    f.Set(kSplitterStates, u"gripper background position", u"x: centre; y: centre;");
    f.Set(kSplitterStates, u"gripper border mask", u"-1;");
    f.Set({u"normal", u"normal vertical"}, u"background", variant.background);
    f.Set({u"normal vertical", u"hot vertical", u"pressed vertical"}, u"gripper background",
          variant.vertical_gripper);
    f.Set({u"normal", u"hot", u"pressed"}, u"gripper background", variant.gripper);
  }
}

void Fill(BuiltInSkin which, SkinHandle skin) {
  switch (which) {
    case BuiltInSkin::kImageButton: {
      Filler f(skin, u"imagebuttonex");
      f.Set(kFirstFour, u"background", u"-1;");
      f.Set(kFirstFour, u"image position", u"x: 50%; y: 50%;");
      // An image button is its image: no padding around it, and a caption
      // (when a caller gives one) centred over it.
      f.Set(kFirstFour, u"image padding", u"top: 0; left: 0; bottom: 0; right: 0;");
      f.Set(kFirstFour, u"text position", u"x: 50%; y: 50%;");
      f.Set(kFirstFour, u"text padding", u"top: 0; left: 0; bottom: 0; right: 0;");
      break;
    }
    case BuiltInSkin::kSysButton: FillPushButton(skin, u"buttonex", false); break;
    case BuiltInSkin::kSysToggleButton: FillPushButton(skin, u"togglebuttonex", false); break;
    case BuiltInSkin::kSysStickyButton: FillPushButton(skin, u"togglebuttonex", true); break;
    case BuiltInSkin::kSysRadioButton: FillGlyphButton(skin, u"radiobuttonex", kFirstSeven); break;
    case BuiltInSkin::kSysCheckButton: FillGlyphButton(skin, u"checkbuttonex", kAllTen); break;
    case BuiltInSkin::kSysXBar: FillSysXBar(skin); break;
    case BuiltInSkin::kOffice2007XBar: FillOffice2007XBar(skin); break;
    case BuiltInSkin::kSysSplitter: FillSysSplitter(skin); break;
    case BuiltInSkin::kSysSplitter2: FillSysSplitter2(skin); break;
    case BuiltInSkin::kOffice2007Splitter: FillOffice2007Splitter(skin); break;
    case BuiltInSkin::kCount: break;
  }
}

// Clears the refresh suppression however the definition ends.
struct SuppressionScope {
  SuppressionScope() { SuppressSkinRefresh(true); }
  ~SuppressionScope() { SuppressSkinRefresh(false); }
};

}  // namespace

void EnsureBuiltInSkin(std::u16string_view name) {
  try {
    const std::u16string lower = SkinLower(name);
    if (FindSkin(lower)) return;
    for (const BuiltInName& entry : kBuiltInNames) {
      if (lower != entry.requested) continue;
      SuppressionScope suppress;
      const SkinHandle skin = CreateSkin(entry.created);
      if (!skin) return;
      g_slots[static_cast<size_t>(entry.which)] = skin;
      Fill(entry.which, skin);
      if (const auto extras = CurrentSkinServices().add_builtin_extras) extras(entry.which, skin);
      return;
    }
  } catch (const std::exception& caught) {
    platform::LogCaught("EnsureBuiltInSkin", 0, &caught);
  }
}

void ForgetBuiltInSkins() { g_slots.fill(0); }

SkinHandle BuiltInSkinHandle(BuiltInSkin which) {
  const auto index = static_cast<size_t>(which);
  return index < g_slots.size() ? g_slots[index] : 0;
}

}  // namespace lumora
