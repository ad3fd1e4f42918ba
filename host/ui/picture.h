#pragma once
// Pictures of the window definition: whole PNG or JPEG files, decoded once into
// a 32-bit bitmap. Pixels that are not fully opaque are blended with the
// window's background colour at decoding time.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "host/types.h"
#include "host/ui/handles.h"

class Picture {
public:
    // Empty when the bytes are neither a PNG nor a JPEG that can be decoded.
    static std::optional<Picture> decode(ByteView file, COLORREF background);

    int width() const { return width_; }
    int height() const { return height_; }
    // 0x00RRGGBB, top row first.
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    // Copies the picture, unscaled, with its top-left corner at (x, y).
    void draw(HDC dc, int x, int y) const;
    // The picture's pixels except those of exactly `cutOut`, as a region.
    GdiObject<HRGN> shapeWithout(COLORREF cutOut) const;

private:
    Picture(int width, int height, std::vector<std::uint32_t> pixels);

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    GdiObject<HBITMAP> bitmap_;
};
