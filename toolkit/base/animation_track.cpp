#include "toolkit/base/animation_track.h"

#include <algorithm>
#include <cmath>

namespace lumora {
namespace {

void ToFloats(const AnimRect& r, float out[4]) {
  out[0] = static_cast<float>(r.left);
  out[1] = static_cast<float>(r.top);
  out[2] = static_cast<float>(r.right);
  out[3] = static_cast<float>(r.bottom);
}

}  // namespace

AnimationTrack& AnimationTracks::Accept(const AnimationRequest& request) {
  auto it = std::find_if(tracks_.begin(), tracks_.end(),
                         [&](const AnimationTrack& t) { return t.window == request.window; });
  if (it == tracks_.end()) {
    tracks_.emplace_back();
    it = tracks_.end() - 1;
  }
  AnimationTrack& track = *it;
  track.window = request.window;
  track.start = request.start;
  track.target = request.target;
  ToFloats(track.start, track.work_start);
  ToFloats(track.target, track.work_target);
  track.step = 2.0f;
  track.active = true;
  track.finished = false;
  distance_ = std::fabs(static_cast<float>(request.start.bottom) - static_cast<float>(request.target.bottom));
  return track;
}

void StepTrack(AnimationTrack& track, float distance) {
  float& b = track.work_start[3];
  const float t = track.work_target[3];
  // With no distance there is nothing to fade over; a zero scale keeps the
  // opacity finite instead of multiplying by infinity.
  const float scale = distance > 0.0f ? 255.0f / distance : 0.0f;
  if (b < t) {
    b += track.step;
    track.opacity = 255.0f - std::fabs(b - t) * scale;
    if (!(b < t)) {
      b = t;
      track.opacity = 255.0f;
      track.finished = true;
    }
  } else {
    b -= track.step;
    track.opacity = std::fabs(b - t) * scale;
    if (b <= t) {
      b = t;
      track.opacity = 0.0f;
      track.finished = true;
    }
  }
  track.opacity = std::clamp(track.opacity, 0.0f, 255.0f);
  track.step = std::max(std::fabs(b - t) / 8.0f, 1.0f);
}

void AnimationTracks::StepAll() {
  for (AnimationTrack& track : tracks_) StepTrack(track, distance_);
}

void AnimationTracks::RemoveFinished() {
  tracks_.erase(std::remove_if(tracks_.begin(), tracks_.end(), [](const AnimationTrack& t) { return t.finished; }),
                tracks_.end());
}

TrackPlacement PlacementOf(const AnimationTrack& track) {
  return TrackPlacement{track.start.left, track.start.top, track.start.right - track.start.left,
                        static_cast<int32_t>(std::lround(track.Bottom())) - track.start.top};
}

int RoundedOpacity(const AnimationTrack& track) { return static_cast<int>(std::lround(track.opacity)); }

void FrameClock::Start(int64_t frequency, int64_t now, int frames_per_second) {
  period_ = std::max<int64_t>(1, std::llround(static_cast<double>(frequency) / frames_per_second));
  deadline_ = now;
  started_ = true;
}

void FrameClock::Advance(int64_t now) {
  deadline_ += period_;
  if (deadline_ < now) deadline_ = now + period_;
}

}  // namespace lumora
