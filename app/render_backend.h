#pragma once

class Widget;

// The window is a static page: Qt Quick's software renderer draws it with a
// third of the memory of the OpenGL one and starts faster. QT_QUICK_BACKEND
// still picks another renderer when set.
void chooseSceneGraphBackend();

// Logs the wall-clock time of the window's first frame, once, so that the
// start-up benchmark can measure from process start to first frame.
void reportFirstFrame(Widget &window);

// The view's engine builds asynchronous components (the main screen's
// loader) in short slices between frames, starting after the first frame,
// instead of all at once before it.
inline constexpr int kIncubationSliceMs = 5;
inline constexpr int kFirstFrameWaitMs = 500;
void buildAfterFirstFrame(Widget &window);

// Large blocks (decoded images, the view's frame) always get mappings of
// their own, returned to the system when freed; first thing in main.
void keepLargeBlocksOutOfThreadHeaps();

// Returns the heap freed while the UI was being built to the system, once
// start-up has settled (the power-on logo shows for a second).
inline constexpr int kStartupSettledMs = 2500;
void releaseStartupMemory(Widget &window);
