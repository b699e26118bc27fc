#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>

#include "animation_writer.h"
#include "whole_file.h"

namespace seastrip {
namespace {

// An animated WebP, losslessly encoded: the strip's flat colours compress well.
class WebpWriter : public AnimationWriter {
public:
    WebpWriter(WebPAnimEncoder* encoder, std::unique_ptr<WholeFile> file, int width, int height)
        : encoder_(encoder), file_(std::move(file)), width_(width), height_(height)
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
        WebPData data;
        WebPDataInit(&data);
        if (!WebPAnimEncoderAdd(encoder_, nullptr, timestampMs_, nullptr) ||
            !WebPAnimEncoderAssemble(encoder_, &data)) {
            file_->Fail(WebPAnimEncoderGetError(encoder_));
        } else {
            file_->Write(data.bytes, data.size);
        }
        WebPDataClear(&data);
        return file_->Commit();
    }

    std::string Error() const override
    {
        if (!file_->Error().empty()) return file_->Error();
        return "cannot write " + file_->Path() + ": " + WebPAnimEncoderGetError(encoder_);
    }

private:
    WebPAnimEncoder* encoder_;
    std::unique_ptr<WholeFile> file_;
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
    // The file is started at once, so that a folder that cannot be written
    // is known before the frames are drawn.
    auto file = std::make_unique<WholeFile>(path);
    if (!file->Open()) {
        WebPAnimEncoderDelete(encoder);
        error = file->Error();
        return nullptr;
    }
    return std::make_unique<WebpWriter>(encoder, std::move(file), width, height);
}

}  // namespace seastrip
