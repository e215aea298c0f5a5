#pragma once
// Writers of small PNG and TIFF files of any layout (through libpng and libtiff), for the raster
// kinds' tests and fuzz seeds: every sample a function of its place, so that mistakes show.
#include <png.h>
#include <tiffio.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One sample of a (x, y, channel) place, of `depth` bits.
inline unsigned PatternSample(int x, int y, int channel, int depth) {
    const unsigned v = unsigned(x * 37 + y * 91 + channel * 53 + x * y * 7) * 2654435761u;
    return (v >> 8) & ((1u << depth) - 1);
}

// Rows of packed samples: below 8 bits the first at the top bits, 16 bits big-endian (PNG order).
inline std::vector<std::vector<std::uint8_t>> PatternRows(int width, int height, int channels, int depth,
                                                          bool bigEndian = true) {
    std::vector<std::vector<std::uint8_t>> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::vector<std::uint8_t>& row = rows[std::size_t(y)];
        row.assign(std::size_t((width * channels * depth + 7) / 8), 0);
        for (int i = 0; i < width * channels; ++i) {
            const unsigned s = PatternSample(i / channels, y, i % channels, depth);
            if (depth == 16) {
                row[2 * i] = std::uint8_t(bigEndian ? s >> 8 : s),
                        row[2 * i + 1] = std::uint8_t(bigEndian ? s : s >> 8);
            } else if (depth == 8) {
                row[i] = std::uint8_t(s);
            } else {
                row[std::size_t(i * depth / 8)] |= std::uint8_t(s << (8 - depth - (i * depth) % 8));
            }
        }
    }
    return rows;
}

struct PngLayout {
    int colorType, depth;
    bool interlaced, transparentColor;
};

inline int PngChannels(int colorType) {
    return colorType == PNG_COLOR_TYPE_GRAY_ALPHA  ? 2
           : colorType == PNG_COLOR_TYPE_RGB       ? 3
           : colorType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                                                   : 1;
}

// C-style: libpng leaves by longjmp.
inline bool WritePng(const std::string& path, int width, int height, const PngLayout& layout) {
    auto rows = PatternRows(width, height, PngChannels(layout.colorType), layout.depth);
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), layout.depth, layout.colorType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    png_byte alphas[256];
    const int entries = 1 << layout.depth;
    if (layout.colorType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < entries; ++i) {
            palette[i] = {png_byte(i * 97), png_byte(255 - i * 31), png_byte(i * 13 + 40)};
            alphas[i] = png_byte(i * 59);
        }
        png_set_PLTE(png, info, palette, entries);
    }
    if (layout.transparentColor) {
        const unsigned sample = PatternSample(0, 0, 0, layout.depth);
        png_color_16 color{0, png_uint_16(sample), png_uint_16(PatternSample(0, 0, 1, layout.depth)),
                           png_uint_16(PatternSample(0, 0, 2, layout.depth)), png_uint_16(sample)};
        png_set_tRNS(png, info, alphas, layout.colorType == PNG_COLOR_TYPE_PALETTE ? entries : 0, &color);
    }
    png_write_info(png, info);
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

struct TiffLayout {
    int photometric, depth, channels;
    bool alpha, tiled;
    int orientation = ORIENTATION_TOPLEFT;
    int compression = COMPRESSION_NONE;
};

inline bool WriteTiff(const std::string& path, int width, int height, const TiffLayout& layout) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    if (!tiff) return false;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, layout.depth);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, layout.channels);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, layout.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, layout.orientation);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, layout.compression);
    if (layout.alpha) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (layout.photometric == PHOTOMETRIC_SEPARATED) TIFFSetField(tiff, TIFFTAG_INKSET, INKSET_CMYK);
    std::vector<std::uint16_t> map[3];
    if (layout.photometric == PHOTOMETRIC_PALETTE) {
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < (1 << layout.depth); ++i)
                map[c].push_back(std::uint16_t((i * (97 + 40 * c) % 256) * 257));
        TIFFSetField(tiff, TIFFTAG_COLORMAP, map[0].data(), map[1].data(), map[2].data());
    }
    const int tile = 16;
    if (layout.tiled) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, tile);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, tile);
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 5);
    }
    auto rows = PatternRows(width, height, layout.channels, layout.depth, false);
    bool ok = true;
    if (!layout.tiled) {
        for (int y = 0; y < height; ++y)
            ok = ok && TIFFWriteScanline(tiff, rows[std::size_t(y)].data(), std::uint32_t(y), 0) == 1;
    } else {
        const int pixelBytes = layout.channels * layout.depth / 8;
        std::vector<std::uint8_t> buffer(std::size_t(tile * tile * pixelBytes));
        for (int ty = 0; ty < height; ty += tile)
            for (int tx = 0; tx < width; tx += tile) {
                std::fill(buffer.begin(), buffer.end(), 0);
                for (int y = ty; y < std::min(height, ty + tile); ++y)
                    for (int x = tx; x < std::min(width, tx + tile); ++x)
                        std::copy_n(rows[std::size_t(y)].data() + x * pixelBytes, pixelBytes,
                                    buffer.data() + ((y - ty) * tile + (x - tx)) * pixelBytes);
                ok = ok && TIFFWriteTile(tiff, buffer.data(), std::uint32_t(tx), std::uint32_t(ty), 0, 0) > 0;
            }
    }
    TIFFClose(tiff);
    return ok;
}
