// The arithmetic of the animation thread: how a window's bottom edge and its
// opacity move towards the target, and when frames are due. Kept free of the
// platform so that the motion and the frame clock can be tested exactly.
#pragma once
#include <cstdint>
#include <vector>

namespace lumora {

struct AnimRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// What a client posts with WM_LUMORA_ANIMATE; the thread owns and frees it.
struct AnimationRequest {
  void* window = nullptr;
  AnimRect start;
  AnimRect target;
};

struct AnimationTrack {
  void* window = nullptr;
  AnimRect start;
  AnimRect target;
  float step = 2.0f;
  float opacity = 0.0f;  // 0 to 255
  float work_start[4] = {};   // left, top, right, bottom
  float work_target[4] = {};
  bool active = false;
  bool finished = false;

  float Bottom() const { return work_start[3]; }
};

// Placement of the window after a step, in its parent's coordinates.
struct TrackPlacement {
  int32_t x, y, width, height;
};

class AnimationTracks {
 public:
  // Starts or restarts the track of the request's window; returns it.
  AnimationTrack& Accept(const AnimationRequest& request);
  // Moves every track one step; the opacity scale uses the latest distance.
  void StepAll();
  void RemoveFinished();
  bool Empty() const { return tracks_.empty(); }
  std::vector<AnimationTrack>& Tracks() { return tracks_; }
  float Distance() const { return distance_; }

 private:
  std::vector<AnimationTrack> tracks_;
  float distance_ = 0.0f;
};

void StepTrack(AnimationTrack& track, float distance);
TrackPlacement PlacementOf(const AnimationTrack& track);
int RoundedOpacity(const AnimationTrack& track);

// Frames at a fixed rate on a tick counter. A late frame runs once and the
// next is scheduled a full period after it: dropped frames are never
// replayed in a burst.
class FrameClock {
 public:
  void Start(int64_t frequency, int64_t now, int frames_per_second = 60);
  bool Started() const { return started_; }
  bool Due(int64_t now) const { return started_ && now >= deadline_; }
  void Advance(int64_t now);
  void Reset() { started_ = false; }
  int64_t Deadline() const { return deadline_; }
  int64_t Period() const { return period_; }

 private:
  bool started_ = false;
  int64_t period_ = 1;
  int64_t deadline_ = 0;
};

}  // namespace lumora
