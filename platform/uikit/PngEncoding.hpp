#pragma once

#include <optional>
#include <vector>

#include <cairo.h>

// Encodes an ARGB32 Cairo image surface (every image is one) as PNG bytes. Cairo's own writer compresses at
// zlib's default level, which costs more than everything else in sharing a long solution; shared
// pictures are flat UI colours and text, so the fastest level loses only a few percent in size.
// Answers nothing for other formats or when libpng fails.
std::optional<std::vector<unsigned char>> encodePng(cairo_surface_t* surface);
