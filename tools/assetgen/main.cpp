// seastrip-assetgen OUTDIR: writes the program's pictures and wave sound into
// OUTDIR. The output is the same, byte for byte, on every run and machine, so
// the committed copies in assets/ can be checked against it.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "assetgen.h"

namespace {

using seastrip::Bitmap;
namespace assetgen = seastrip::assetgen;

void AppendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void WritePng(const std::filesystem::path& path, const Bitmap& bitmap)
{
    std::vector<uint8_t> png;
    if (!stbi_write_png_to_func(AppendBytes, &png, bitmap.width, bitmap.height, 3, bitmap.rgb.data(),
                                bitmap.width * 3)) {
        throw std::runtime_error("cannot encode " + path.string());
    }
    WriteFile(path, png);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seastrip-assetgen OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        WritePng(dir / "sky.png", assetgen::MakeSky());
        WritePng(dir / "sunmask.png", assetgen::MakeSunMask());
        WritePng(dir / "clouds.png", assetgen::MakeCloudStrip());
        WritePng(dir / "cloud.png", assetgen::MakeCloud());
        WritePng(dir / "palm.png", assetgen::MakePalm());
        const assetgen::IndexedImage icon = assetgen::MakeIcon();
        WritePng(dir / "icon.png", assetgen::ToBitmap(icon));
        WriteFile(dir / "icon.ico", assetgen::EncodeIco(icon));
        WriteFile(dir / "zem.wav", assetgen::MakeSurfWav());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "seastrip-assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
