#include "png_file.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "whole_file.h"

namespace seastrip {
namespace {

// The encoder hands its bytes over without looking at what becomes of them;
// the file remembers a failed write, and Commit reports it.
void Append(void* file, void* data, int size)
{
    static_cast<WholeFile*>(file)->Write(data, static_cast<size_t>(size));
}

}  // namespace

bool WritePng(const std::string& path, const Bitmap& bitmap, std::string& error)
{
    WholeFile file(path);
    if (bitmap.width <= 0 || bitmap.height <= 0) {
        error = "cannot write " + path + ": the picture is empty";
        return false;
    }
    if (file.Open()) {
        if (!stbi_write_png_to_func(Append, &file, bitmap.width, bitmap.height, 3, bitmap.rgb.data(),
                                    bitmap.width * 3)) {
            file.Fail("the PNG encoder failed");
        }
        if (file.Commit()) return true;
    }
    error = file.Error();
    return false;
}

}  // namespace seastrip
