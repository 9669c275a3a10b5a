// Builds the program's Windows icon from its XPM picture: one .ico with the 32 × 32 picture at 16,
// 32, 48 and 256 pixels, scaled to the nearest pixel. It runs on the build machine, so it uses
// nothing but the standard library.
//   xpm_to_ico OUTPUT.ico

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "quorel_icon.xpm"

namespace {

struct Rgb {
    std::uint8_t red, green, blue;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<int> pixels; // palette indices, top row first
    std::vector<Rgb> palette;
};

using Bytes = std::vector<std::uint8_t>;

// The picture is fully opaque: every colour is "#RRGGBB", one character per pixel.
Picture readXpm(const char *const *xpm) {
    Picture picture;
    int colours = 0;
    int charsPerPixel = 0;
    std::sscanf(xpm[0], "%d %d %d %d", &picture.width, &picture.height, &colours, &charsPerPixel);
    std::map<char, int> indexOf;
    for (int i = 0; i < colours; ++i) {
        const std::string line = xpm[1 + i];
        const unsigned value = std::stoul(line.substr(line.find('#') + 1), nullptr, 16);
        indexOf[line[0]] = i;
        picture.palette.push_back({static_cast<std::uint8_t>(value >> 16),
                                   static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value)});
    }
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(indexOf.at(xpm[1 + colours + y][x]));
    return picture;
}

int indexAt(const Picture &picture, int size, int x, int y) {
    return picture.pixels[(y * picture.height / size) * picture.width + x * picture.width / size];
}

void put16(Bytes &out, unsigned value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(Bytes &out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void put32BigEndian(Bytes &out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((value >> shift) & 0xFF);
}

// A 32-bit DIB as icons store it: double height, bottom row first, then an all-opaque AND mask.
Bytes bitmapImage(const Picture &picture, int size) {
    const int maskRowBytes = (size + 31) / 32 * 4;
    Bytes out;
    put32(out, 40);
    put32(out, size);
    put32(out, size * 2);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, size * size * 4 + maskRowBytes * size);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const Rgb colour = picture.palette[indexAt(picture, size, x, y)];
            out.insert(out.end(), {colour.blue, colour.green, colour.red, 0xFF});
        }
    out.insert(out.end(), static_cast<std::size_t>(maskRowBytes) * size, 0);
    return out;
}

std::uint32_t crc32(const std::uint8_t *data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void putChunk(Bytes &out, const char *type, const Bytes &data) {
    put32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32BigEndian(out, crc32(out.data() + start, out.size() - start));
}

// Large icons are stored as PNG, as Windows expects at 256 pixels: a paletted image in stored
// (uncompressed) zlib blocks, which needs no compressor and stays small with 8-bit indices.
Bytes pngImage(const Picture &picture, int size) {
    Bytes rows;
    for (int y = 0; y < size; ++y) {
        rows.push_back(0); // filter: none
        for (int x = 0; x < size; ++x)
            rows.push_back(static_cast<std::uint8_t>(indexAt(picture, size, x, y)));
    }
    Bytes zlib{0x78, 0x01};
    constexpr std::size_t maxBlock = 65535;
    for (std::size_t at = 0; at < rows.size(); at += maxBlock) {
        const std::size_t length = std::min(maxBlock, rows.size() - at);
        zlib.push_back(at + length == rows.size() ? 1 : 0);
        put16(zlib, static_cast<unsigned>(length));
        put16(zlib, static_cast<unsigned>(~length & 0xFFFF));
        zlib.insert(zlib.end(), rows.begin() + at, rows.begin() + at + length);
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : rows) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32BigEndian(zlib, (b << 16) | a);

    Bytes header;
    put32BigEndian(header, size);
    put32BigEndian(header, size);
    header.insert(header.end(), {8, 3, 0, 0, 0}); // 8-bit palette indices
    Bytes palette;
    for (const Rgb &colour : picture.palette)
        palette.insert(palette.end(), {colour.red, colour.green, colour.blue});

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", header);
    putChunk(out, "PLTE", palette);
    putChunk(out, "IDAT", zlib);
    putChunk(out, "IEND", {});
    return out;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xpm_to_ico OUTPUT.ico\n");
        return 2;
    }
    const Picture picture = readXpm(quorel_icon_xpm);
    constexpr std::array sizes{16, 32, 48, 256};

    std::vector<Bytes> images;
    for (int size : sizes)
        images.push_back(size >= 256 ? pngImage(picture, size) : bitmapImage(picture, size));

    Bytes out;
    put16(out, 0);
    put16(out, 1); // an icon, not a cursor
    put16(out, sizes.size());
    std::uint32_t offset = 6 + 16 * sizes.size();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i];
        out.push_back(size >= 256 ? 0 : size); // 0 stands for 256
        out.push_back(size >= 256 ? 0 : size);
        out.push_back(0); // no palette in the directory
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes &image : images)
        out.insert(out.end(), image.begin(), image.end());

    std::ofstream file(argv[1], std::ios::binary);
    file.write(reinterpret_cast<const char *>(out.data()),
               static_cast<std::streamsize>(out.size()));
    return file ? 0 : 1;
}
