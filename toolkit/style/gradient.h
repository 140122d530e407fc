// Gradient records: two ARGB end colours plus ordered colour stops, kept in a
// process-wide list until freed. Their handle is the
// record's address, but a handle is only ever resolved by looking it up in
// the list, so a stale or made-up number never reaches a dereference.
//
// Painting lives with the GDI+ glue; this file holds what needs no platform:
// the record, the stop ordering and the colour/position arrays a brush's
// preset blend is built from.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace lumora {

using GradientHandle = intptr_t;

// Kinds, as named by the skin keywords (absent = horizontal).
constexpr int32_t GRADIENT_HORIZONTAL = 0;
constexpr int32_t GRADIENT_VERTICAL = 1;
constexpr int32_t GRADIENT_RECTANGLE = 2;
constexpr int32_t GRADIENT_ELLIPSE = 3;

struct GradientStop {
  int32_t colour = 0;  // ARGB
  float position = 0;  // strictly between 0 and 1
};

struct Gradient {
  int32_t kind = GRADIENT_HORIZONTAL;
  int32_t colour1 = 0;  // ARGB at position 0; the centre of a path gradient
  int32_t colour2 = 0;  // ARGB at position 1; the rim of a path gradient
  std::vector<GradientStop> stops;  // ascending by position
};

// Applies one stop to a record: position 0 or 1 replaces an end colour,
// anything between is inserted before the first greater position, so that
// a stop at an existing position lands after the ones already there.
// Positions outside [0, 1] (or NaN) are refused: the brush's preset blend
// must run from 0 to 1, and one stray stop would spoil the whole blend.
bool InsertGradientStop(Gradient& gradient, float position, int32_t colour);

// Appends a record to the process-wide list; 0 for an unknown kind or when
// the list cannot grow. No GDI+ check: see CreateGradient for that.
GradientHandle RegisterGradient(int32_t kind, int32_t colour1, int32_t colour2);

// Removes the record; its handle is unknown afterwards. False when it was
// not known. Whoever created the gradient frees it (a skin property frees
// its own when no one draws with it any more).
bool FreeGradient(GradientHandle gradient);
// The records alive, for tests.
size_t GradientCount();

// 1 when done, 0 for an unknown gradient or a refused position.
int32_t AddGradientStop(GradientHandle gradient, float position, int32_t colour);

// A copy of the record, so painting never holds the list's lock.
std::optional<Gradient> GradientSnapshot(GradientHandle gradient);

// The arrays handed to a brush's preset blend.
struct PresetBlend {
  std::vector<uint32_t> colours;  // ARGB
  std::vector<float> positions;   // ascending, first 0, last 1
};

// Linear brushes: colour 1, the stops in order, colour 2 at 0, the stop
// positions, 1. Empty when the gradient has no stops.
PresetBlend LinearPresetBlend(const Gradient& gradient);

// Path brushes count positions from the rim (0) to the centre (1), the
// reverse of the record, so the arrays run colour 2, the stops backwards
// at 1 - position, colour 1. Empty when the gradient has no stops.
PresetBlend PathPresetBlend(const Gradient& gradient);

}  // namespace lumora
