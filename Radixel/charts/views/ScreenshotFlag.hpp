#pragma once

// True while the solution screen renders its table into one image. Chart views skip their
// animations meanwhile, so that each capture shows the finished picture. Main thread only.
inline bool isTakingScreenshot = false;
