#include "host/ui/picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra; // 4 bytes a pixel, straight alpha
};

bool isPng(ByteView file) { return file.size() >= 8 && png_sig_cmp(file.data(), 0, 8) == 0; }

std::optional<Decoded> decodePng(ByteView file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return std::nullopt;
    image.format = PNG_FORMAT_BGRA;
    Decoded out{int(image.width), int(image.height), std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, out.bgra.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return out;
}

// libjpeg reports errors through a callback that must not return.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

void leaveJpeg(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->escape, 1); }
void keepQuiet(j_common_ptr) {}

// Kept free of objects with destructors: a decoding error leaves by longjmp.
bool readJpeg(ByteView file, jpeg_decompress_struct& info, std::vector<std::uint8_t>& bgra)
{
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = leaveJpeg;
    error.manager.output_message = keepQuiet;
    if (setjmp(error.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    bgra.resize(std::size_t(info.output_width) * info.output_height * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = bgra.data() + std::size_t(info.output_scanline) * info.output_width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::optional<Decoded> decodeJpeg(ByteView file)
{
    jpeg_decompress_struct info{};
    Decoded out;
    if (file.size() < 3 || file.data()[0] != 0xFF || file.data()[1] != 0xD8 || !readJpeg(file, info, out.bgra))
        return std::nullopt;
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    return out;
}

std::uint8_t blend(unsigned value, unsigned background, unsigned alpha)
{
    return std::uint8_t((alpha * value + (255 - alpha) * background + 127) / 255);
}

} // namespace

std::optional<Picture> Picture::decode(ByteView file, COLORREF background)
{
    auto decoded = isPng(file) ? decodePng(file) : decodeJpeg(file);
    if (!decoded || decoded->width <= 0 || decoded->height <= 0)
        return std::nullopt;
    std::vector<std::uint32_t> pixels(std::size_t(decoded->width) * decoded->height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint8_t* p = &decoded->bgra[i * 4];
        unsigned a = p[3];
        pixels[i] = std::uint32_t(blend(p[2], GetRValue(background), a)) << 16 |
                    std::uint32_t(blend(p[1], GetGValue(background), a)) << 8 | blend(p[0], GetBValue(background), a);
    }
    return Picture(decoded->width, decoded->height, std::move(pixels));
}

Picture::Picture(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = GdiObject<HBITMAP>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits)
        std::memcpy(bits, pixels_.data(), pixels_.size() * sizeof(std::uint32_t));
}

void Picture::draw(HDC dc, int x, int y) const
{
    MemoryDC source(dc);
    source.select(bitmap_.get());
    BitBlt(dc, x, y, width_, height_, source.get(), 0, 0, SRCCOPY);
}

GdiObject<HRGN> Picture::shapeWithout(COLORREF cutOut) const
{
    const std::uint32_t key = std::uint32_t(GetRValue(cutOut)) << 16 | GetGValue(cutOut) << 8 | GetBValue(cutOut);
    // Runs of kept pixels, row by row, collected into one region in a single call.
    std::vector<RECT> runs;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_;) {
            while (x < width_ && pixel(x, y) == key)
                ++x;
            int start = x;
            while (x < width_ && pixel(x, y) != key)
                ++x;
            if (x > start)
                runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = DWORD(runs.size());
    header->rcBound = RECT{0, 0, width_, height_};
    if (!runs.empty())
        std::memcpy(data.data() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
    return GdiObject<HRGN>(ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
}
