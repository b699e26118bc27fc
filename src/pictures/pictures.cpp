#include "pictures/pictures.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

// Generated at build time from assets/*.png.
namespace seastrip::embedded {
extern const unsigned char k_sky[];
extern const std::size_t k_sky_size;
extern const unsigned char k_sunmask[];
extern const std::size_t k_sunmask_size;
extern const unsigned char k_clouds[];
extern const std::size_t k_clouds_size;
extern const unsigned char k_palm[];
extern const std::size_t k_palm_size;
extern const unsigned char k_cloud[];
extern const std::size_t k_cloud_size;
extern const unsigned char k_icon[];
extern const std::size_t k_icon_size;
}  // namespace seastrip::embedded

namespace seastrip::pictures {
namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Far more than any picture of the program; a file claiming more is refused
// before the decoder reserves memory for it.
constexpr uint64_t kMaxPixels = 16u * 1024 * 1024;

uint32_t BigEndian32(const unsigned char* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// A PNG whose chunks all fit in the bytes given and whose header names a
// sensible size. The decoder trusts declared chunk lengths and reserves what
// they claim, so a few hundred bytes could otherwise ask for gigabytes.
bool PlausiblePng(const unsigned char* data, size_t size)
{
    if (size < 8 + 12 + 13 || std::memcmp(data, kPngSignature, 8) != 0) return false;
    size_t pos = 8;
    bool header = false;
    while (pos + 12 <= size) {
        const uint64_t length = BigEndian32(data + pos);
        if (length > size - pos - 12) return false;
        if (std::memcmp(data + pos + 4, "IHDR", 4) == 0) {
            if (length < 8) return false;
            const uint64_t width = BigEndian32(data + pos + 8);
            const uint64_t height = BigEndian32(data + pos + 12);
            if (width == 0 || height == 0 || width * height > kMaxPixels) return false;
            header = true;
        }
        if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return header;
        pos += 12 + length;
    }
    return false;
}

}  // namespace

Picture Decode(const unsigned char* data, size_t size)
{
    if (data == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX) || !PlausiblePng(data, size)) {
        return nullptr;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 3);
    if (pixels == nullptr) {
        return nullptr;
    }
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->rgb.assign(pixels, pixels + static_cast<size_t>(width) * height * 3);
    stbi_image_free(pixels);
    return bitmap;
}

namespace {

// The embedded pictures are part of the build, so one that does not decode
// is a build fault, not something to limp past.
Picture DecodeEmbedded(const char* name, const unsigned char* data, size_t size)
{
    Picture picture = Decode(data, size);
    if (!picture) {
        const char* reason = stbi_failure_reason();
        throw std::runtime_error(std::string("embedded picture ") + name + " does not decode" +
                                 (reason != nullptr ? std::string(": ") + reason : std::string()));
    }
    return picture;
}

}  // namespace

Picture Sky()
{
    static const Picture picture = DecodeEmbedded("sky.png", embedded::k_sky, embedded::k_sky_size);
    return picture;
}

Picture SunMask()
{
    static const Picture picture = DecodeEmbedded("sunmask.png", embedded::k_sunmask, embedded::k_sunmask_size);
    return picture;
}

Picture CloudStrip()
{
    static const Picture picture = DecodeEmbedded("clouds.png", embedded::k_clouds, embedded::k_clouds_size);
    return picture;
}

Picture Palm()
{
    static const Picture picture = DecodeEmbedded("palm.png", embedded::k_palm, embedded::k_palm_size);
    return picture;
}

Picture Cloud()
{
    static const Picture picture = DecodeEmbedded("cloud.png", embedded::k_cloud, embedded::k_cloud_size);
    return picture;
}

Picture Icon()
{
    static const Picture picture = DecodeEmbedded("icon.png", embedded::k_icon, embedded::k_icon_size);
    return picture;
}

}  // namespace seastrip::pictures
