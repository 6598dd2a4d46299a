#include "core/png_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <optional>

#include <zlib.h>

namespace kv12 {

namespace {

constexpr std::uint8_t SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t MAX_CHUNK_LENGTH = 0x7FFFFFFFu;

enum ColourType : std::uint8_t { GREY = 0, RGB = 2, PALETTE = 3, GREY_ALPHA = 4, RGB_ALPHA = 6 };

struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    unsigned bitDepth = 0;
    unsigned colourType = 0;
    bool interlaced = false;
    unsigned channels = 0;
};

// One Adam7 pass: where its first pixel is and how far apart its pixels are.
// A non-interlaced image is one pass over every pixel.
struct Pass {
    std::uint32_t x0, y0, dx, dy;
};
constexpr std::array<Pass, 7> ADAM7 = {{
    {0, 0, 8, 8},
    {4, 0, 8, 8},
    {0, 4, 4, 8},
    {2, 0, 4, 4},
    {0, 2, 2, 4},
    {1, 0, 2, 2},
    {0, 1, 1, 2},
}};
constexpr std::array<Pass, 1> WHOLE = {{{0, 0, 1, 1}}};

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

unsigned BigEndian16(const std::uint8_t* p) {
    return (unsigned{p[0]} << 8) | p[1];
}

std::string ChunkName(const std::uint8_t* type) {
    std::string name;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>(type[i]);
        name += ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) ? c : '?';
    }
    return name;
}

bool IsChunkType(const std::uint8_t* type, const char* name) {
    return std::memcmp(type, name, 4) == 0;
}

std::optional<std::string> CheckHeader(const Header& h) {
    if (h.width == 0 || h.height == 0) return "the image has no pixels (width or height 0)";
    if (h.width > PNG_MAX_SIDE || h.height > PNG_MAX_SIDE ||
        std::uint64_t{h.width} * h.height > PNG_MAX_PIXELS) {
        return "the image is too large (" + std::to_string(h.width) + " x " + std::to_string(h.height) + ")";
    }
    bool depthFits = false;
    switch (h.colourType) {
        case GREY:
            depthFits =
                h.bitDepth == 1 || h.bitDepth == 2 || h.bitDepth == 4 || h.bitDepth == 8 || h.bitDepth == 16;
            break;
        case PALETTE:
            depthFits = h.bitDepth == 1 || h.bitDepth == 2 || h.bitDepth == 4 || h.bitDepth == 8;
            break;
        case RGB:
        case GREY_ALPHA:
        case RGB_ALPHA:
            depthFits = h.bitDepth == 8 || h.bitDepth == 16;
            break;
        default:
            return "unknown colour type " + std::to_string(h.colourType);
    }
    if (!depthFits) {
        return "bit depth " + std::to_string(h.bitDepth) + " is not allowed with colour type " +
               std::to_string(h.colourType);
    }
    return std::nullopt;
}

unsigned ChannelsOf(unsigned colourType) {
    switch (colourType) {
        case RGB:
            return 3;
        case GREY_ALPHA:
            return 2;
        case RGB_ALPHA:
            return 4;
        default:
            return 1;
    }
}

std::uint32_t PassSize(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
    return size > start ? (size - start + step - 1) / step : 0;
}

std::size_t RowBytes(const Header& h, std::uint32_t width) {
    return (static_cast<std::size_t>(width) * h.channels * h.bitDepth + 7) / 8;
}

template <std::size_t N>
std::size_t FilteredSize(const Header& h, const std::array<Pass, N>& passes) {
    std::size_t total = 0;
    for (const Pass& pass : passes) {
        const std::uint32_t w = PassSize(h.width, pass.x0, pass.dx);
        const std::uint32_t rows = PassSize(h.height, pass.y0, pass.dy);
        if (w != 0 && rows != 0) total += rows * (1 + RowBytes(h, w));
    }
    return total;
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p;
    const int pb = p > b ? p - b : b - p;
    const int pc = p > c ? p - c : c - p;
    if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Undoes the filter of one row in place; previous is the row above after its
// own unfiltering, or nullptr for a pass's first row (read as zeros).
bool Unfilter(unsigned filter, std::uint8_t* row, const std::uint8_t* previous, std::size_t length,
              std::size_t bpp) {
    switch (filter) {
        case 0:
            return true;
        case 1:
            for (std::size_t i = bpp; i < length; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + row[i - bpp]);
            return true;
        case 2:
            if (previous)
                for (std::size_t i = 0; i < length; ++i)
                    row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
            return true;
        case 3:
            for (std::size_t i = 0; i < length; ++i) {
                const unsigned left = i >= bpp ? row[i - bpp] : 0;
                const unsigned up = previous ? previous[i] : 0;
                row[i] = static_cast<std::uint8_t>(row[i] + (left + up) / 2);
            }
            return true;
        case 4:
            for (std::size_t i = 0; i < length; ++i) {
                const int left = i >= bpp ? row[i - bpp] : 0;
                const int up = previous ? previous[i] : 0;
                const int upLeft = (previous && i >= bpp) ? previous[i - bpp] : 0;
                row[i] = static_cast<std::uint8_t>(row[i] + Paeth(left, up, upLeft));
            }
            return true;
        default:
            return false;
    }
}

struct Palette {
    std::array<std::uint8_t, 256 * 4> bgra{};  // alpha 255 unless tRNS says otherwise
    unsigned entries = 0;
};

struct Transparency {
    bool present = false;
    std::array<unsigned, 3> key{};  // the transparent grey (key[0]) or red, green, blue, at full depth
};

class Converter {
  public:
    Converter(const Header& h, const Palette& palette, const Transparency& transparency, PngImage& image)
        : h_(h), palette_(palette), transparency_(transparency), image_(image) {}

    // Turns one unfiltered row of a pass into pixels of the image; false on a
    // palette index beyond the palette.
    bool Row(const std::uint8_t* row, std::uint32_t width, std::uint32_t y, const Pass& pass) {
        for (std::uint32_t i = 0; i < width; ++i) {
            const std::size_t x = pass.x0 + static_cast<std::size_t>(i) * pass.dx;
            std::uint8_t* out = image_.pixels.data() + (static_cast<std::size_t>(y) * h_.width + x) * 4;
            if (!Pixel(row, i, out)) return false;
        }
        return true;
    }

    unsigned badIndex = 0;

  private:
    // Sample c of pixel i at the image's bit depth.
    unsigned Sample(const std::uint8_t* row, std::uint32_t i, unsigned c) const {
        const std::size_t index = static_cast<std::size_t>(i) * h_.channels + c;
        switch (h_.bitDepth) {
            case 16:
                return BigEndian16(row + index * 2);
            case 8:
                return row[index];
            default: {
                const std::size_t bit = index * h_.bitDepth;
                const unsigned shift = 8 - h_.bitDepth - static_cast<unsigned>(bit % 8);
                return (row[bit / 8] >> shift) & ((1u << h_.bitDepth) - 1);
            }
        }
    }

    std::uint8_t To8(unsigned sample) const {
        if (h_.bitDepth == 16) return static_cast<std::uint8_t>(sample >> 8);
        return static_cast<std::uint8_t>(sample * 255 / ((1u << h_.bitDepth) - 1));
    }

    bool Pixel(const std::uint8_t* row, std::uint32_t i, std::uint8_t* out) {
        switch (h_.colourType) {
            case GREY: {
                const unsigned grey = Sample(row, i, 0);
                out[0] = out[1] = out[2] = To8(grey);
                out[3] = transparency_.present && grey == transparency_.key[0] ? 0 : 255;
                return true;
            }
            case RGB: {
                const unsigned r = Sample(row, i, 0), g = Sample(row, i, 1), b = Sample(row, i, 2);
                out[0] = To8(b);
                out[1] = To8(g);
                out[2] = To8(r);
                const bool keyed = transparency_.present && r == transparency_.key[0] &&
                                   g == transparency_.key[1] && b == transparency_.key[2];
                out[3] = keyed ? 0 : 255;
                return true;
            }
            case PALETTE: {
                const unsigned index = Sample(row, i, 0);
                if (index >= palette_.entries) {
                    badIndex = index;
                    return false;
                }
                std::memcpy(out, palette_.bgra.data() + index * 4, 4);
                return true;
            }
            case GREY_ALPHA:
                out[0] = out[1] = out[2] = To8(Sample(row, i, 0));
                out[3] = To8(Sample(row, i, 1));
                return true;
            default:
                out[0] = To8(Sample(row, i, 2));
                out[1] = To8(Sample(row, i, 1));
                out[2] = To8(Sample(row, i, 0));
                out[3] = To8(Sample(row, i, 3));
                return true;
        }
    }

    const Header& h_;
    const Palette& palette_;
    const Transparency& transparency_;
    PngImage& image_;
};

// Unfilters the inflated data pass by pass and converts it into the image.
template <std::size_t N>
std::optional<std::string> Reconstruct(const Header& h, const std::array<Pass, N>& passes,
                                       std::vector<std::uint8_t>& data, Converter& converter) {
    const std::size_t bpp = std::max<std::size_t>(1, h.channels * h.bitDepth / 8);
    std::size_t at = 0;
    for (const Pass& pass : passes) {
        const std::uint32_t width = PassSize(h.width, pass.x0, pass.dx);
        const std::uint32_t rows = PassSize(h.height, pass.y0, pass.dy);
        if (width == 0 || rows == 0) continue;
        const std::size_t length = RowBytes(h, width);
        const std::uint8_t* previous = nullptr;
        for (std::uint32_t r = 0; r < rows; ++r) {
            const unsigned filter = data[at];
            std::uint8_t* row = data.data() + at + 1;
            if (!Unfilter(filter, row, previous, length, bpp))
                return "unknown filter type " + std::to_string(filter) + " in row " + std::to_string(r);
            if (!converter.Row(row, width, pass.y0 + r * pass.dy, pass))
                return "palette index " + std::to_string(converter.badIndex) + " is beyond the palette";
            previous = row;
            at += 1 + length;
        }
    }
    return std::nullopt;
}

// Inflates the IDAT chunks' concatenated zlib stream into a buffer of exactly
// the size the image needs. The buffer grows with what is inflated, so that a
// small file claiming a large image costs no more memory than it inflates to.
class Inflater {
  public:
    Inflater() = default;
    ~Inflater() {
        if (started_) inflateEnd(&stream_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    std::optional<std::string> Start(std::size_t size) {
        expected_ = size;
        if (inflateInit(&stream_) != Z_OK) return std::string("zlib could not be started");
        started_ = true;
        return std::nullopt;
    }

    // Feeds one IDAT chunk's data.
    std::optional<std::string> Feed(const std::uint8_t* data, std::uint32_t length) {
        if (ended_) return std::nullopt;  // bytes after the stream's end are not image data
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = length;
        for (;;) {
            std::uint8_t spare = 0;
            const bool full = produced_ == expected_;
            if (!full && produced_ == out_.size())
                out_.resize(
                    std::min(expected_, std::max<std::size_t>(std::size_t{1} << 16, out_.size() * 2)));
            const std::size_t room = std::min<std::size_t>(out_.size() - produced_, 1u << 30);
            // Once the image is whole, one spare byte tells whether the stream holds more.
            stream_.next_out = full ? &spare : out_.data() + produced_;
            stream_.avail_out = full ? 1 : static_cast<uInt>(room);
            const uInt before = stream_.avail_out;
            const int status = inflate(&stream_, Z_NO_FLUSH);
            const std::size_t made = before - stream_.avail_out;
            if (full && made > 0) return std::string("the compressed image data holds more than the image");
            if (!full) produced_ += made;
            if (status == Z_STREAM_END) {
                ended_ = true;
                return std::nullopt;
            }
            if (status != Z_OK && status != Z_BUF_ERROR) {
                return std::string("the compressed image data is damaged") +
                       (stream_.msg ? std::string(" (") + stream_.msg + ")" : std::string());
            }
            // All of the chunk taken with room to spare: nothing is left pending in zlib.
            if (stream_.avail_in == 0 && stream_.avail_out > 0) return std::nullopt;
            if (status == Z_BUF_ERROR && made == 0) {
                if (stream_.avail_in == 0) return std::nullopt;
                return std::string("the compressed image data cannot be inflated");
            }
        }
    }

    std::optional<std::string> Finish() const {
        if (produced_ < expected_) {
            return "the image data is short: " + std::to_string(produced_) + " of " +
                   std::to_string(expected_) + " bytes";
        }
        if (!ended_) return std::string("the compressed image data does not end");
        return std::nullopt;
    }

    std::vector<std::uint8_t>& Data() { return out_; }

  private:
    z_stream stream_{};
    bool started_ = false;
    bool ended_ = false;
    std::size_t produced_ = 0;
    std::size_t expected_ = 0;
    std::vector<std::uint8_t> out_;
};

}  // namespace

PngDecodeResult DecodePng(std::span<const std::uint8_t> bytes) {
    const auto fail = [](std::string message) { return PngDecodeResult(PngError{std::move(message)}); };
    if (bytes.size() < sizeof SIGNATURE || std::memcmp(bytes.data(), SIGNATURE, sizeof SIGNATURE) != 0)
        return fail("not a PNG file (no PNG signature)");

    Header header;
    bool haveHeader = false;
    Palette palette;
    bool havePalette = false;
    Transparency transparency;
    bool sawData = false;
    bool dataEnded = false;  // a chunk other than IDAT came after the IDAT chunks
    bool sawEnd = false;
    Inflater inflater;

    std::size_t at = sizeof SIGNATURE;
    while (!sawEnd) {
        if (bytes.size() - at < 12)
            return fail(at == bytes.size() ? "the file ends before IEND" : "the file is truncated");
        const std::uint32_t length = BigEndian32(bytes.data() + at);
        const std::uint8_t* type = bytes.data() + at + 4;
        const std::string name = ChunkName(type);
        if (length > MAX_CHUNK_LENGTH || length > bytes.size() - at - 12)
            return fail("the file is truncated in chunk " + name);
        for (int i = 0; i < 4; ++i) {
            const char c = static_cast<char>(type[i]);
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return fail("a chunk has an invalid type");
        }
        const std::uint8_t* data = type + 4;
        const std::uint32_t stored = BigEndian32(data + length);
        const auto computed = static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), type, length + 4));
        if (stored != computed) return fail("chunk " + name + " has a bad CRC");
        at += std::size_t{length} + 12;

        if (!haveHeader && !IsChunkType(type, "IHDR"))
            return fail("the first chunk is " + name + ", not IHDR");
        if (sawData && !IsChunkType(type, "IDAT")) dataEnded = true;

        if (IsChunkType(type, "IHDR")) {
            if (haveHeader) return fail("more than one IHDR chunk");
            if (length != 13) return fail("IHDR has length " + std::to_string(length) + ", not 13");
            header.width = BigEndian32(data);
            header.height = BigEndian32(data + 4);
            header.bitDepth = data[8];
            header.colourType = data[9];
            if (data[10] != 0) return fail("unknown compression method " + std::to_string(data[10]));
            if (data[11] != 0) return fail("unknown filter method " + std::to_string(data[11]));
            if (data[12] > 1) return fail("unknown interlace method " + std::to_string(data[12]));
            header.interlaced = data[12] == 1;
            if (header.width > MAX_CHUNK_LENGTH || header.height > MAX_CHUNK_LENGTH)
                return fail("IHDR gives a width or height beyond 2^31 - 1");
            if (auto wrong = CheckHeader(header)) return fail(*wrong);
            header.channels = ChannelsOf(header.colourType);
            haveHeader = true;
        } else if (IsChunkType(type, "PLTE")) {
            if (havePalette) return fail("more than one PLTE chunk");
            if (sawData) return fail("PLTE comes after the image data");
            if (transparency.present) return fail("PLTE comes after tRNS");
            if (header.colourType == GREY || header.colourType == GREY_ALPHA)
                return fail("a grey image has a PLTE chunk");
            if (length == 0 || length % 3 != 0 || length / 3 > 256)
                return fail("PLTE has length " + std::to_string(length));
            palette.entries = length / 3;
            if (header.colourType == PALETTE && palette.entries > (1u << header.bitDepth))
                return fail("PLTE has more entries than the bit depth can index");
            for (unsigned i = 0; i < palette.entries; ++i) {
                palette.bgra[i * 4 + 0] = data[i * 3 + 2];
                palette.bgra[i * 4 + 1] = data[i * 3 + 1];
                palette.bgra[i * 4 + 2] = data[i * 3 + 0];
                palette.bgra[i * 4 + 3] = 255;
            }
            havePalette = true;
        } else if (IsChunkType(type, "tRNS")) {
            if (transparency.present) return fail("more than one tRNS chunk");
            if (sawData) return fail("tRNS comes after the image data");
            switch (header.colourType) {
                case GREY:
                    if (length != 2) return fail("tRNS of a grey image has length " + std::to_string(length));
                    transparency.key[0] = BigEndian16(data);
                    break;
                case RGB:
                    if (length != 6)
                        return fail("tRNS of a colour image has length " + std::to_string(length));
                    for (int c = 0; c < 3; ++c) transparency.key[c] = BigEndian16(data + 2 * c);
                    break;
                case PALETTE:
                    if (!havePalette) return fail("tRNS comes before PLTE");
                    if (length > palette.entries) return fail("tRNS has more entries than the palette");
                    for (unsigned i = 0; i < length; ++i) palette.bgra[i * 4 + 3] = data[i];
                    break;
                default:
                    return fail("an image with an alpha channel has a tRNS chunk");
            }
            transparency.present = true;
        } else if (IsChunkType(type, "IDAT")) {
            if (dataEnded) return fail("the IDAT chunks are not consecutive");
            if (header.colourType == PALETTE && !havePalette)
                return fail("a palette image has no PLTE chunk");
            if (!sawData) {
                const std::size_t size =
                    header.interlaced ? FilteredSize(header, ADAM7) : FilteredSize(header, WHOLE);
                if (auto wrong = inflater.Start(size)) return fail(*wrong);
                sawData = true;
            }
            if (auto wrong = inflater.Feed(data, length)) return fail(*wrong);
        } else if (IsChunkType(type, "IEND")) {
            sawEnd = true;
        } else if ((type[0] & 0x20) == 0) {
            return fail("unknown critical chunk " + name);
        }
    }

    if (!sawData) return fail("the file has no IDAT chunk");
    if (auto wrong = inflater.Finish()) return fail(*wrong);

    PngImage image;
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(header.height);
    image.hasAlpha =
        header.colourType == GREY_ALPHA || header.colourType == RGB_ALPHA || transparency.present;
    image.pixels.resize(std::size_t{header.width} * header.height * 4);
    Converter converter(header, palette, transparency, image);
    const auto wrong = header.interlaced ? Reconstruct(header, ADAM7, inflater.Data(), converter)
                                         : Reconstruct(header, WHOLE, inflater.Data(), converter);
    if (wrong) return fail(*wrong);
    return image;
}

}  // namespace kv12
