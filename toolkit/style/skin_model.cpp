#include "toolkit/style/skin_model.h"

#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "platform/error_log.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/gradient.h"

namespace lumora {

const char16_t* const kSkinStateNames[kSkinStateCount] = {
    u"normal",   u"hot",       u"pressed",       u"disabled",      u"selected",
    u"selected hot", u"selected pressed", u"inbetween", u"inbetween hot", u"inbetween pressed"};

namespace {

struct PropertyRecord {
  std::u16string name;
  std::u16string value;
  int32_t kind = SKINVALUE_TEXT;
  intptr_t number = 0;
  // What the model built or loaded for the value; freed with it unless a
  // control still draws with it (see SkinKeeper).
  std::shared_ptr<const SkinHeldHandle> owned;
};

struct StateRecord {
  std::u16string name;
  std::vector<PropertyRecord> properties;
};

struct ComponentRecord {
  std::u16string name;
  std::vector<StateRecord> states;
};

struct SkinRecord {
  std::u16string name;
  uint8_t refresh = 1;
  std::vector<ComponentRecord> components;
};

// Records are only appended; the unique_ptr keeps a skin's address, which is
// its handle, fixed while the list grows.
std::vector<std::unique_ptr<SkinRecord>>& Registry() {
  static std::vector<std::unique_ptr<SkinRecord>> registry;
  return registry;
}

SkinServices& Services() {
  static SkinServices services;
  return services;
}

bool g_refresh_suppressed = false;

// A gradient the model built for a value, freed with the last share in it.
struct HeldGradient : SkinHeldHandle {
  explicit HeldGradient(GradientHandle made) : gradient(made) {}
  ~HeldGradient() override { FreeGradient(gradient); }
  HeldGradient(const HeldGradient&) = delete;
  HeldGradient& operator=(const HeldGradient&) = delete;
  intptr_t get() const noexcept override { return gradient; }
  GradientHandle gradient;
};

StaleLock& SkinLock() {
  static StaleLock lock;
  return lock;
}

SkinRecord* FindRecord(SkinHandle skin) {
  if (skin == 0) return nullptr;
  for (const auto& record : Registry()) {
    if (reinterpret_cast<SkinHandle>(record.get()) == skin) return record.get();
  }
  return nullptr;
}

template <typename List>
auto* FindNamed(List& list, std::u16string_view name) {
  for (auto& item : list) {
    if (item.name == name) return &item;
  }
  return static_cast<typename List::value_type*>(nullptr);
}

template <typename List>
auto& FindOrAppend(List& list, std::u16string_view name) {
  if (auto* found = FindNamed(list, name)) return *found;
  list.emplace_back();
  list.back().name = std::u16string(name);
  return list.back();
}

PropertyRecord* FindProperty(SkinRecord& skin, std::u16string_view component, std::u16string_view state,
                             std::u16string_view property) {
  ComponentRecord* c = FindNamed(skin.components, component);
  StateRecord* s = c ? FindNamed(c->states, state) : nullptr;
  return s ? FindNamed(s->properties, property) : nullptr;
}

PropertyRecord& FindOrAddProperty(SkinRecord& skin, std::u16string_view component, std::u16string_view state,
                                  std::u16string_view property) {
  ComponentRecord& c = FindOrAppend(skin.components, component);
  StateRecord& s = FindOrAppend(c.states, state);
  return FindOrAppend(s.properties, property);
}

// Lower-cased names; the component is resolved to the variant it is read
// under. Call with the lock held.
std::u16string ResolveLocked(SkinRecord& skin, std::u16string_view component, std::u16string_view state,
                             std::u16string_view property) {
  const std::u16string name = NormaliseSkinComponent(component);
  const std::u16string s = SkinLower(state);
  const std::u16string p = SkinLower(property);
  const size_t colon = name.find(u':');
  if (colon != std::u16string::npos) {
    if (FindProperty(skin, name, s, p)) return name;
    return name.substr(0, colon);
  }
  const std::string_view colour = CurrentColourName();
  if (!colour.empty()) {
    std::u16string variant = name + u":";
    for (char c : colour) variant.push_back(static_cast<char16_t>(c));
    if (FindProperty(skin, variant, s, p)) return variant;
  }
  return name;
}

// The property a getter reads, after variant resolution; null when absent.
PropertyRecord* ReadProperty(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                             std::u16string_view property) {
  SkinRecord* record = FindRecord(skin);
  if (!record) return nullptr;
  const std::u16string resolved = ResolveLocked(*record, component, state, property);
  return FindProperty(*record, resolved, SkinLower(state), SkinLower(property));
}

// Stores a number beside the property's text, creating the records as
// needed; `owned` (when given) holds what the number names and replaces
// whatever the property owned before.
bool StoreNumber(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                 std::u16string_view property, int32_t kind, intptr_t number, SkinOwnedHandle owned) {
  try {
    StaleLockGuard guard(SkinLock());
    SkinRecord* record = FindRecord(skin);
    if (!record) return false;
    PropertyRecord& stored =
        FindOrAddProperty(*record, NormaliseSkinComponent(component), SkinLower(state), SkinLower(property));
    stored.owned = std::move(owned);
    stored.kind = kind;
    stored.number = number;
    return true;
  } catch (const std::exception& caught) {
    platform::LogCaught("StoreNumber", 0, &caught);
    return false;
  }
}

int32_t RefreshIfWanted(SkinHandle skin) {
  bool refresh = false;
  {
    StaleLockGuard guard(SkinLock());
    const SkinRecord* record = FindRecord(skin);
    refresh = record && record->refresh == 1 && !g_refresh_suppressed;
  }
  if (refresh && Services().refresh) return Services().refresh(skin);
  return 0;
}

}  // namespace

void InstallSkinServices(const SkinServices& services) { Services() = services; }
const SkinServices& CurrentSkinServices() { return Services(); }

void SuppressSkinRefresh(bool suppress) { g_refresh_suppressed = suppress; }
bool SkinRefreshSuppressed() { return g_refresh_suppressed; }

std::u16string NormaliseSkinComponent(std::u16string_view component) {
  const std::u16string lower = SkinLower(component);
  const size_t colon = lower.find(u':');
  if (colon == std::u16string::npos) return std::u16string(SkinTrim(lower));
  const std::u16string_view view(lower);
  return std::u16string(SkinTrim(view.substr(0, colon))) + u":" + std::u16string(SkinTrim(view.substr(colon + 1)));
}

SkinHandle CreateSkin(std::u16string_view name) {
  try {
    auto record = std::make_unique<SkinRecord>();
    record->name = std::u16string(name);
    StaleLockGuard guard(SkinLock());
    Registry().push_back(std::move(record));
    return reinterpret_cast<SkinHandle>(Registry().back().get());
  } catch (const std::exception& caught) {
    platform::LogCaught("CreateSkin", 0, &caught);
    return 0;
  }
}

bool IsSkin(SkinHandle skin) {
  StaleLockGuard guard(SkinLock());
  return FindRecord(skin) != nullptr;
}

void FreeAllSkins() {
  std::vector<std::unique_ptr<SkinRecord>> freed;
  {
    StaleLockGuard guard(SkinLock());
    freed.swap(Registry());
  }
  ForgetBuiltInSkins();
}

size_t SkinCount() {
  StaleLockGuard guard(SkinLock());
  return Registry().size();
}

std::u16string SkinName(SkinHandle skin) {
  StaleLockGuard guard(SkinLock());
  const SkinRecord* record = FindRecord(skin);
  return record ? record->name : std::u16string();
}

SkinHandle FindSkin(std::u16string_view name) {
  const std::u16string wanted = SkinLower(name);
  StaleLockGuard guard(SkinLock());
  for (const auto& record : Registry()) {
    if (SkinLower(record->name) == wanted) return reinterpret_cast<SkinHandle>(record.get());
  }
  return 0;
}

int32_t SetSkinProperty(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                        std::u16string_view property, std::u16string_view value) {
  try {
    const std::u16string c = NormaliseSkinComponent(component);
    const std::u16string s = SkinLower(state);
    const std::u16string p = SkinLower(property);
    const std::u16string v = SkinLower(value);
    {
      StaleLockGuard guard(SkinLock());
      SkinRecord* record = FindRecord(skin);
      if (!record) return 0;
      PropertyRecord& stored = FindOrAddProperty(*record, c, s, p);
      stored.value = v;
      stored.kind = SKINVALUE_TEXT;
      stored.number = 0;
      stored.owned.reset();
    }
    const SkinServices& services = Services();
    const int32_t image = services.resolve_image ? services.resolve_image(skin, v) : 0;
    int32_t result = 1;
    if (image == 1) {
      result = services.load_image ? services.load_image(skin, c, s, p, v) : 0;
    } else if (image == -1) {
      result = -1;
    } else {
      intptr_t built = 0;
      SkinOwnedHandle owned;
      if (const auto text = FindDeclaration(v, u"gradient")) {
        if (const auto gradient = ParseSkinGradient(*text)) {
          built = services.create_gradient ? services.create_gradient(gradient->kind, gradient->colour1, gradient->colour2)
                                           : RegisterGradient(gradient->kind, gradient->colour1, gradient->colour2);
          // Owned at once, so that a value replaced later frees it.
          if (built) owned = std::make_unique<HeldGradient>(built);
          for (const auto& stop : gradient->stops) {
            if (built) AddGradientStop(built, stop.position, stop.colour);
          }
        }
      } else if (const auto font_text = FindDeclaration(v, u"font")) {
        const auto font = ParseSkinFont(*font_text);
        if (font && services.create_font) {
          owned = services.create_font(*font);
          built = owned ? owned->get() : 0;
        }
      }
      if (built && !StoreNumber(skin, c, s, p, SKINVALUE_HANDLE, built, std::move(owned))) return 0;
    }
    RefreshIfWanted(skin);
    return result;
  } catch (const std::exception& caught) {
    platform::LogCaught("SetSkinProperty", 0, &caught);
    return 0;
  }
}

bool StoreSkinImage(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                    std::u16string_view property, SkinOwnedHandle image) {
  const intptr_t number = image ? image->get() : 0;
  return StoreNumber(skin, component, state, property, SKINVALUE_IMAGE, number, std::move(image));
}

bool SetSkinPropertyHandle(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                           std::u16string_view property, intptr_t handle) {
  return StoreNumber(skin, component, state, property, SKINVALUE_HANDLE, handle, nullptr);
}

intptr_t GetSkinPropertyHandle(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                               std::u16string_view property) {
  StaleLockGuard guard(SkinLock());
  const PropertyRecord* stored = ReadProperty(skin, component, state, property);
  return stored ? stored->number : 0;
}

SkinKeeper GetSkinPropertyKeeper(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                 std::u16string_view property) {
  StaleLockGuard guard(SkinLock());
  const PropertyRecord* stored = ReadProperty(skin, component, state, property);
  return stored && stored->owned && stored->owned->get() == stored->number ? stored->owned : nullptr;
}

std::u16string GetSkinPropertyText(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                   std::u16string_view property) {
  StaleLockGuard guard(SkinLock());
  const PropertyRecord* stored = ReadProperty(skin, component, state, property);
  return stored ? std::u16string(BareValue(stored->value)) : std::u16string();
}

std::u16string GetSkinPropertySubValue(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                       std::u16string_view property, std::u16string_view subkey) {
  StaleLockGuard guard(SkinLock());
  const PropertyRecord* stored = ReadProperty(skin, component, state, property);
  if (!stored) return {};
  return FindDeclaration(stored->value, subkey).value_or(std::u16string());
}

std::u16string GetSkinPropertyField(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                    std::u16string_view property, std::u16string_view subkey, int32_t index) {
  const std::u16string text = GetSkinPropertySubValue(skin, component, state, property, subkey);
  const auto fields = SplitSkinFields(text);
  if (index < 1 || static_cast<size_t>(index) > fields.size()) return {};
  return std::u16string(fields[static_cast<size_t>(index) - 1]);
}

int32_t CountSkinPropertyFields(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                std::u16string_view property, std::u16string_view subkey) {
  const std::u16string text = GetSkinPropertySubValue(skin, component, state, property, subkey);
  return static_cast<int32_t>(SplitSkinFields(text).size());
}

std::u16string ResolveSkinComponent(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                    std::u16string_view property) {
  StaleLockGuard guard(SkinLock());
  SkinRecord* record = FindRecord(skin);
  if (!record) return NormaliseSkinComponent(component);
  return ResolveLocked(*record, component, state, property);
}

bool FindSkinProperty(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                      std::u16string_view property) {
  StaleLockGuard guard(SkinLock());
  SkinRecord* record = FindRecord(skin);
  return record &&
         FindProperty(*record, NormaliseSkinComponent(component), SkinLower(state), SkinLower(property)) != nullptr;
}

}  // namespace lumora
