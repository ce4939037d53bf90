#pragma once

namespace render {

// Softens an 8-bit alpha image in place, as a Gaussian of standard deviation `sigma` (in pixels)
// would: one three-tap pass each way for narrow blurs, three box passes each way for wider ones,
// so the cost does not grow with the width. Pixels outside the image count as clear.
void blurAlpha(unsigned char* pixels, int width, int height, int stride, double sigma);

} // namespace render
