// Motion and frame timing of the animation thread, exactly.
#include <gtest/gtest.h>

#include "toolkit/base/animation_track.h"

namespace lumora {
namespace {

AnimationRequest Request(void* window, int32_t start_bottom, int32_t target_bottom) {
  AnimationRequest r;
  r.window = window;
  r.start = {10, 20, 110, start_bottom};
  r.target = {10, 20, 110, target_bottom};
  return r;
}

TEST(AnimationTrack, OpeningGrowsToTheTargetAndEndsOpaque) {
  AnimationTracks tracks;
  int window = 0;
  tracks.Accept(Request(&window, 20, 100));
  AnimationTrack& t = tracks.Tracks()[0];
  tracks.StepAll();
  EXPECT_FLOAT_EQ(t.Bottom(), 22.0f);  // first step is 2 pixels
  EXPECT_NEAR(t.opacity, 255.0f - 78.0f * 255.0f / 80.0f, 1e-3);
  EXPECT_FLOAT_EQ(t.step, 78.0f / 8.0f);  // slows as it nears the target
  int steps = 1;
  float previous = t.Bottom();
  while (!t.finished && steps < 1000) {
    tracks.StepAll();
    EXPECT_GT(t.Bottom(), previous);
    previous = t.Bottom();
    ++steps;
  }
  ASSERT_TRUE(t.finished);
  EXPECT_FLOAT_EQ(t.Bottom(), 100.0f);
  EXPECT_EQ(RoundedOpacity(t), 255);
  const TrackPlacement p = PlacementOf(t);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(p.width, 100);
  EXPECT_EQ(p.height, 80);
  EXPECT_LT(steps, 60);  // the never-below-one-pixel rule bounds the tail
}

TEST(AnimationTrack, ClosingShrinksAndEndsTransparent) {
  AnimationTracks tracks;
  int window = 0;
  tracks.Accept(Request(&window, 100, 20));
  AnimationTrack& t = tracks.Tracks()[0];
  tracks.StepAll();
  EXPECT_FLOAT_EQ(t.Bottom(), 98.0f);
  EXPECT_NEAR(t.opacity, 78.0f * 255.0f / 80.0f, 1e-3);
  for (int i = 0; i < 1000 && !t.finished; ++i) tracks.StepAll();
  ASSERT_TRUE(t.finished);
  EXPECT_FLOAT_EQ(t.Bottom(), 20.0f);
  EXPECT_EQ(RoundedOpacity(t), 0);
  EXPECT_EQ(PlacementOf(t).height, 0);
}

TEST(AnimationTrack, SecondRequestForTheSameWindowReplacesItsTrack) {
  AnimationTracks tracks;
  int a = 0, b = 0;
  tracks.Accept(Request(&a, 20, 100));
  tracks.Accept(Request(&b, 20, 60));
  tracks.StepAll();
  tracks.StepAll();
  tracks.Accept(Request(&a, 100, 20));
  ASSERT_EQ(tracks.Tracks().size(), 2u);
  const AnimationTrack& t = tracks.Tracks()[0];
  EXPECT_EQ(t.window, &a);
  EXPECT_FLOAT_EQ(t.Bottom(), 100.0f);
  EXPECT_FLOAT_EQ(t.step, 2.0f);
  EXPECT_FALSE(t.finished);
  EXPECT_FLOAT_EQ(tracks.Distance(), 80.0f);  // the latest request's
}

TEST(AnimationTrack, EqualBottomsEndOnTheFirstStepWithAFiniteOpacity) {
  AnimationTracks tracks;
  int window = 0;
  tracks.Accept(Request(&window, 50, 50));
  tracks.StepAll();
  const AnimationTrack& t = tracks.Tracks()[0];
  EXPECT_TRUE(t.finished);
  EXPECT_FLOAT_EQ(t.Bottom(), 50.0f);
  EXPECT_GE(t.opacity, 0.0f);
  EXPECT_LE(t.opacity, 255.0f);
  tracks.RemoveFinished();
  EXPECT_TRUE(tracks.Empty());
}

TEST(AnimationTrack, ZeroDistanceOfALaterRequestKeepsOtherTracksFinite) {
  AnimationTracks tracks;
  int a = 0, b = 0;
  tracks.Accept(Request(&a, 20, 100));
  tracks.Accept(Request(&b, 40, 40));
  tracks.StepAll();
  const AnimationTrack& t = tracks.Tracks()[0];
  EXPECT_GE(t.opacity, 0.0f);
  EXPECT_LE(t.opacity, 255.0f);
}

TEST(FrameClock, FramesAreDueOncePerPeriod) {
  FrameClock clock;
  EXPECT_FALSE(clock.Due(0));
  clock.Start(600000, 1000);  // 600 kHz counter: 10000 ticks a frame
  EXPECT_EQ(clock.Period(), 10000);
  EXPECT_TRUE(clock.Due(1000));  // the first frame is due at once
  clock.Advance(1000);
  EXPECT_FALSE(clock.Due(10999));
  EXPECT_TRUE(clock.Due(11000));
}

TEST(FrameClock, ALateFrameCausesNoBurst) {
  FrameClock clock;
  clock.Start(600000, 0);
  clock.Advance(0);  // deadline 10000
  // Five periods late: one frame runs, then the next is a full period away.
  const int64_t late = 55000;
  ASSERT_TRUE(clock.Due(late));
  clock.Advance(late);
  EXPECT_EQ(clock.Deadline(), late + 10000);
  EXPECT_FALSE(clock.Due(late + 1));
}

TEST(FrameClock, PeriodIsRounded) {
  FrameClock clock;
  clock.Start(10000000, 0);  // 10 MHz: 166666.67 ticks
  EXPECT_EQ(clock.Period(), 166667);
  clock.Reset();
  EXPECT_FALSE(clock.Started());
  EXPECT_FALSE(clock.Due(1 << 30));
}

}  // namespace
}  // namespace lumora
