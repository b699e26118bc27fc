#include "png_file.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace seastrip {

bool WritePng(const std::string& path, const Bitmap& bitmap)
{
    if (bitmap.width <= 0 || bitmap.height <= 0) return false;
    return stbi_write_png(path.c_str(), bitmap.width, bitmap.height, 3, bitmap.rgb.data(), bitmap.width * 3) != 0;
}

}  // namespace seastrip
