#include <webp/encode.h>
#include <webp/mux.h>

#include <cstdio>

#include "animation_writer.h"

namespace seastrip {
namespace {

// An animated WebP, losslessly encoded: the strip's flat colours compress well.
class WebpWriter : public AnimationWriter {
public:
    WebpWriter(WebPAnimEncoder* encoder, std::string path, int width, int height)
        : encoder_(encoder), path_(std::move(path)), width_(width), height_(height)
    {
        WebPConfigInit(&config_);
        config_.lossless = 1;
        config_.quality = 50;
        config_.method = 3;
    }
    ~WebpWriter() override { WebPAnimEncoderDelete(encoder_); }

    bool AddFrame(const Bitmap& frame, int delayMs) override
    {
        WebPPicture picture;
        if (!WebPPictureInit(&picture)) return false;
        picture.use_argb = 1;
        picture.width = width_;
        picture.height = height_;
        const bool ok = WebPPictureImportRGB(&picture, frame.rgb.data(), width_ * 3) &&
                        WebPAnimEncoderAdd(encoder_, &picture, timestampMs_, &config_);
        WebPPictureFree(&picture);
        timestampMs_ += delayMs;
        return ok;
    }

    bool Finish() override
    {
        if (!WebPAnimEncoderAdd(encoder_, nullptr, timestampMs_, nullptr)) return false;
        WebPData data;
        WebPDataInit(&data);
        if (!WebPAnimEncoderAssemble(encoder_, &data)) return false;
        FILE* file = std::fopen(path_.c_str(), "wb");
        bool ok = file && std::fwrite(data.bytes, 1, data.size, file) == data.size;
        if (file) ok = std::fclose(file) == 0 && ok;
        WebPDataClear(&data);
        return ok;
    }

private:
    WebPAnimEncoder* encoder_;
    std::string path_;
    int width_;
    int height_;
    WebPConfig config_;
    int timestampMs_ = 0;
};

}  // namespace

std::unique_ptr<AnimationWriter> OpenGif(const std::string& path, int width, int height, std::string& error);

std::unique_ptr<AnimationWriter> OpenAnimation(const std::string& path, int width, int height, std::string& error)
{
    const bool webp = path.size() >= 5 && path.compare(path.size() - 5, 5, ".webp") == 0;
    if (!webp) return OpenGif(path, width, height, error);
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) {
        error = "the WebP encoder does not match its header";
        return nullptr;
    }
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(width, height, &options);
    if (!encoder) {
        error = "cannot start a WebP animation";
        return nullptr;
    }
    // Fail early, as the GIF writer does, when the file cannot be written.
    FILE* probe = std::fopen(path.c_str(), "wb");
    if (!probe) {
        WebPAnimEncoderDelete(encoder);
        error = "cannot write " + path;
        return nullptr;
    }
    std::fclose(probe);
    return std::make_unique<WebpWriter>(encoder, path, width, height);
}

}  // namespace seastrip
