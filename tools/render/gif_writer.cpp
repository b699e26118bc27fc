#include <gif_lib.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "animation_writer.h"
#include "whole_file.h"

namespace seastrip {
namespace {

// giflib's bytes go through the file, which checks every write.
int Put(GifFileType* gif, const GifByteType* bytes, int length)
{
    return static_cast<WholeFile*>(gif->UserData)->Write(bytes, static_cast<size_t>(length)) ? length : 0;
}

// An animated GIF, each frame with its own colour table: the strip rarely
// shows more than 256 colours at once, so most frames are exact; a frame with
// more is quantised by giflib.
class GifWriter : public AnimationWriter {
public:
    GifWriter(std::unique_ptr<WholeFile> file, GifFileType* gif, int width, int height)
        : file_(std::move(file)), gif_(gif), width_(width), height_(height)
    {
    }
    ~GifWriter() override
    {
        if (gif_) {
            int error = 0;
            EGifCloseFile(gif_, &error);
        }
    }

    bool AddFrame(const Bitmap& frame, int delayMs) override
    {
        if (!gif_) return false;
        if (!started_) {
            if (EGifPutScreenDesc(gif_, width_, height_, 8, 0, nullptr) == GIF_ERROR) return false;
            // Loop forever.
            const unsigned char loop[] = {1, 0, 0};
            if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
                EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_ERROR ||
                EGifPutExtensionBlock(gif_, 3, loop) == GIF_ERROR || EGifPutExtensionTrailer(gif_) == GIF_ERROR) {
                return false;
            }
            started_ = true;
        }
        std::vector<GifByteType> indices(static_cast<size_t>(width_) * height_);
        ColorMapObject* map = ExactPalette(frame, indices);
        if (!map) map = Quantised(frame, indices);
        if (!map) return false;

        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.DelayTime = (delayMs + 5) / 10;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        bool ok = EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) != GIF_ERROR &&
                  EGifPutImageDesc(gif_, 0, 0, width_, height_, false, map) != GIF_ERROR;
        for (int y = 0; ok && y < height_; ++y) {
            ok = EGifPutLine(gif_, &indices[static_cast<size_t>(y) * width_], width_) != GIF_ERROR;
        }
        GifFreeMapObject(map);
        return ok;
    }

    bool Finish() override
    {
        int error = 0;
        if (EGifCloseFile(gif_, &error) == GIF_ERROR) file_->Fail(GifErrorString(error));
        gif_ = nullptr;
        return file_->Commit();
    }

    std::string Error() const override
    {
        return file_->Error().empty() ? "cannot write " + file_->Path() + ": the GIF encoder failed" : file_->Error();
    }

private:
    ColorMapObject* ExactPalette(const Bitmap& frame, std::vector<GifByteType>& indices)
    {
        std::unordered_map<int32_t, int> index;
        std::vector<GifColorType> colours;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const Colour c = frame.At(x, y);
                auto [it, added] = index.emplace(c.Packed(), static_cast<int>(colours.size()));
                if (added) {
                    if (colours.size() == 256) return nullptr;
                    colours.push_back(GifColorType{c.r, c.g, c.b});
                }
                indices[static_cast<size_t>(y) * width_ + x] = static_cast<GifByteType>(it->second);
            }
        }
        while (colours.size() < 256) colours.push_back(GifColorType{0, 0, 0});
        return GifMakeMapObject(256, colours.data());
    }

    ColorMapObject* Quantised(const Bitmap& frame, std::vector<GifByteType>& indices)
    {
        const size_t n = static_cast<size_t>(width_) * height_;
        std::vector<GifByteType> r(n), g(n), b(n);
        for (size_t i = 0; i < n; ++i) {
            r[i] = frame.rgb[i * 3];
            g[i] = frame.rgb[i * 3 + 1];
            b[i] = frame.rgb[i * 3 + 2];
        }
        ColorMapObject* map = GifMakeMapObject(256, nullptr);
        if (!map) return nullptr;
        int size = 256;
        if (GifQuantizeBuffer(width_, height_, &size, r.data(), g.data(), b.data(), indices.data(), map->Colors) ==
            GIF_ERROR) {
            GifFreeMapObject(map);
            return nullptr;
        }
        return map;
    }

    std::unique_ptr<WholeFile> file_;  // outlives gif_, which writes into it
    GifFileType* gif_;
    int width_;
    int height_;
    bool started_ = false;
};

}  // namespace

std::unique_ptr<AnimationWriter> OpenGif(const std::string& path, int width, int height, std::string& error)
{
    auto file = std::make_unique<WholeFile>(path);
    if (!file->Open()) {
        error = file->Error();
        return nullptr;
    }
    int code = 0;
    GifFileType* gif = EGifOpen(file.get(), Put, &code);
    if (!gif) {
        error = "cannot write " + path + ": " + GifErrorString(code);
        return nullptr;
    }
    EGifSetGifVersion(gif, true);
    return std::make_unique<GifWriter>(std::move(file), gif, width, height);
}

}  // namespace seastrip
