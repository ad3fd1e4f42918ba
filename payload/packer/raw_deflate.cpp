#include "raw_deflate.h"

#include <zlib.h>

namespace {

constexpr std::size_t PieceSize = 64 * 1024;

class Deflater {
public:
    Deflater() { ok_ = deflateInit2(&stream_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    ~Deflater()
    {
        if (ok_)
            deflateEnd(&stream_);
    }

    bool ok() const { return ok_; }
    z_stream& stream() { return stream_; }

private:
    z_stream stream_{};
    bool ok_ = false;
};

} // namespace

std::optional<DeflatedFile> deflateFile(std::FILE* input, const DeflateSink& sink)
{
    Deflater deflater;
    if (!deflater.ok())
        return std::nullopt;
    z_stream& stream = deflater.stream();
    DeflatedFile result{static_cast<std::uint32_t>(crc32(0, nullptr, 0)), 0};
    unsigned char in[PieceSize];
    unsigned char out[PieceSize];
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const std::size_t got = std::fread(in, 1, sizeof in, input);
        if (std::ferror(input))
            return std::nullopt;
        flush = std::feof(input) ? Z_FINISH : Z_NO_FLUSH;
        result.crc = static_cast<std::uint32_t>(crc32(result.crc, in, static_cast<uInt>(got)));
        result.size += got;
        stream.next_in = in;
        stream.avail_in = static_cast<uInt>(got);
        do {
            stream.next_out = out;
            stream.avail_out = sizeof out;
            if (deflate(&stream, flush) == Z_STREAM_ERROR)
                return std::nullopt;
            const std::size_t produced = sizeof out - stream.avail_out;
            if (produced > 0 && !sink(out, produced))
                return std::nullopt;
        } while (stream.avail_out == 0);
    }
    return result;
}
