#include "toolkit/style/drawing_win32.h"

#include <optional>

#include "platform/error_log.h"

namespace lumora {

namespace {

// One GDI+ object, released through the binding's delete function.
template <class T, class DeleteFn>
class GdipObject {
 public:
  explicit GdipObject(DeleteFn destroy) : destroy_(destroy) {}
  GdipObject(const GdipObject&) = delete;
  GdipObject& operator=(const GdipObject&) = delete;
  ~GdipObject() {
    if (object_ != nullptr && destroy_ != nullptr) destroy_(object_);
  }
  T* get() const { return object_; }
  T** out() { return &object_; }

 private:
  T* object_ = nullptr;
  DeleteFn destroy_;
};

using Graphics = GdipObject<gdip::GpGraphics, gdip::GdipDeleteGraphicsFn>;
using Brush = GdipObject<gdip::GpBrush, gdip::GdipDeleteBrushFn>;
using Path = GdipObject<gdip::GpPath, gdip::GdipDeletePathFn>;

template <class BrushType>
BrushType** AsOut(Brush& brush) {
  return reinterpret_cast<BrushType**>(brush.out());
}

template <class BrushType>
BrushType* As(const Brush& brush) {
  return reinterpret_cast<BrushType*>(brush.get());
}

bool MakeLinearBrush(const GdiplusBinding& api, const Gradient& g, const RECT& rect, Brush& brush) {
  if (api.fn.GdipCreateLineBrushI == nullptr) return false;
  const gdip::Point from{rect.left, rect.top};
  const gdip::Point to = g.kind == GRADIENT_HORIZONTAL ? gdip::Point{rect.right, rect.top}
                                                       : gdip::Point{rect.left, rect.bottom};
  // Flipping tiles keep the end colour on the last pixel instead of letting
  // the next repetition's start colour bleed in.
  if (api.fn.GdipCreateLineBrushI(&from, &to, static_cast<gdip::ARGB>(g.colour1),
                                  static_cast<gdip::ARGB>(g.colour2), gdip::kWrapModeTileFlipX,
                                  AsOut<gdip::GpLineGradient>(brush)) != gdip::kOk)
    return false;
  const PresetBlend blend = LinearPresetBlend(g);
  if (!blend.colours.empty() && api.fn.GdipSetLinePresetBlend != nullptr)
    api.fn.GdipSetLinePresetBlend(As<gdip::GpLineGradient>(brush), blend.colours.data(),
                                  blend.positions.data(), static_cast<INT>(blend.colours.size()));
  return true;
}

// Colour 1 at the centre, colour 2 on the rim, stops in between.
void ColourPathBrush(const GdiplusBinding& api, const Gradient& g, gdip::GpPathGradient* brush) {
  if (api.fn.GdipSetPathGradientCenterColor != nullptr)
    api.fn.GdipSetPathGradientCenterColor(brush, static_cast<gdip::ARGB>(g.colour1));
  if (api.GdipSetPathGradientSurroundColorsWithCount != nullptr) {
    const gdip::ARGB rim = static_cast<gdip::ARGB>(g.colour2);
    INT count = 1;  // one colour serves every point of the outline
    api.GdipSetPathGradientSurroundColorsWithCount(brush, &rim, &count);
  }
  const PresetBlend blend = PathPresetBlend(g);
  if (!blend.colours.empty() && api.GdipSetPathGradientPresetBlend != nullptr)
    api.GdipSetPathGradientPresetBlend(brush, blend.colours.data(), blend.positions.data(),
                                       static_cast<INT>(blend.colours.size()));
}

bool MakeRectangleBrush(const GdiplusBinding& api, const Gradient& g, const RECT& rect, Brush& brush) {
  if (api.fn.GdipCreatePathGradientI == nullptr) return false;
  const gdip::Point corners[4] = {
      {rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}};
  if (api.fn.GdipCreatePathGradientI(corners, 4, gdip::kWrapModeClamp, AsOut<gdip::GpPathGradient>(brush)) !=
      gdip::kOk)
    return false;
  auto* path_brush = As<gdip::GpPathGradient>(brush);
  if (api.fn.GdipSetPathGradientCenterPointI != nullptr) {
    const gdip::Point centre{rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
    api.fn.GdipSetPathGradientCenterPointI(path_brush, &centre);
  }
  ColourPathBrush(api, g, path_brush);
  return true;
}

bool MakeEllipseBrush(const GdiplusBinding& api, const Gradient& g, const RECT& rect, Brush& brush) {
  if (api.fn.GdipCreatePath == nullptr || api.fn.GdipAddPathEllipseI == nullptr ||
      api.fn.GdipCreatePathGradientFromPath == nullptr)
    return false;
  Path path(api.fn.GdipDeletePath);
  if (api.fn.GdipCreatePath(gdip::kFillModeAlternate, path.out()) != gdip::kOk) return false;
  if (api.fn.GdipAddPathEllipseI(path.get(), rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top) != gdip::kOk)
    return false;
  if (api.fn.GdipCreatePathGradientFromPath(path.get(), AsOut<gdip::GpPathGradient>(brush)) != gdip::kOk)
    return false;
  auto* path_brush = As<gdip::GpPathGradient>(brush);
  if (api.fn.GdipSetPathGradientCenterPoint != nullptr) {
    const gdip::PointF centre{(static_cast<float>(rect.left) + static_cast<float>(rect.right)) / 2.0f,
                              (static_cast<float>(rect.top) + static_cast<float>(rect.bottom)) / 2.0f};
    api.fn.GdipSetPathGradientCenterPoint(path_brush, &centre);
  }
  ColourPathBrush(api, g, path_brush);
  return true;
}

}  // namespace

GradientHandle CreateGradient(int32_t kind, int32_t colour1, int32_t colour2) {
  if (StartGraphics() == 0) return 0;
  return RegisterGradient(kind, colour1, colour2);
}

int32_t PaintGradient(HDC dc, const RECT& rect, GradientHandle gradient) {
  // Painting runs inside window procedures: nothing may escape from here.
  try {
    if (dc == nullptr || rect.right <= rect.left || rect.bottom <= rect.top) return 0;
    const std::optional<Gradient> g = GradientSnapshot(gradient);
    if (!g || StartGraphics() == 0) return 0;
    const GdiplusBinding& api = Gdiplus();
    if (api.fn.GdipCreateFromHDC == nullptr || api.fn.GdipDeleteGraphics == nullptr ||
        api.fn.GdipDeleteBrush == nullptr || api.fn.GdipFillRectangleI == nullptr)
      return 0;

    Graphics graphics(api.fn.GdipDeleteGraphics);
    if (api.fn.GdipCreateFromHDC(dc, graphics.out()) != gdip::kOk) return 0;
    if (api.fn.GdipSetCompositingMode != nullptr)
      api.fn.GdipSetCompositingMode(graphics.get(), gdip::kCompositingModeSourceOver);
    if (api.fn.GdipSetCompositingQuality != nullptr)
      api.fn.GdipSetCompositingQuality(graphics.get(), gdip::kCompositingQualityHighSpeed);
    if (api.fn.GdipSetPixelOffsetMode != nullptr)
      api.fn.GdipSetPixelOffsetMode(graphics.get(), gdip::kPixelOffsetModeNone);
    if (api.fn.GdipSetSmoothingMode != nullptr)
      api.fn.GdipSetSmoothingMode(graphics.get(), gdip::kSmoothingModeNone);

    Brush brush(api.fn.GdipDeleteBrush);
    bool made = false;
    switch (g->kind) {
      case GRADIENT_HORIZONTAL:
      case GRADIENT_VERTICAL:
        made = MakeLinearBrush(api, *g, rect, brush);
        break;
      case GRADIENT_RECTANGLE:
        made = MakeRectangleBrush(api, *g, rect, brush);
        break;
      case GRADIENT_ELLIPSE:
        made = MakeEllipseBrush(api, *g, rect, brush);
        break;
      default:
        break;
    }
    if (!made) return 0;
    return api.fn.GdipFillRectangleI(graphics.get(), brush.get(), rect.left, rect.top, rect.right - rect.left,
                                     rect.bottom - rect.top) == gdip::kOk
               ? 1
               : 0;
  } catch (...) {
    platform::LogCurrentException("PaintGradient");
    return 0;
  }
}

}  // namespace lumora
