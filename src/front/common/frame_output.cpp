#include "front/common/frame_output.h"

#include <algorithm>

#include "stage/nearest_scale.h"
#include "stage/stage.h"

namespace seastrip {

void FramePresenter::SetOutput(FrameOutput* output)
{
    output_ = output;
    whole_ = true;
}

void FramePresenter::SetScale(int scale)
{
    scale = std::max(1, scale);
    if (scale == scale_) return;
    scale_ = scale;
    whole_ = true;
}

bool FramePresenter::Fit()
{
    const Bitmap& frame = stage_.Frame();
    if (!whole_ && fittedWidth_ == frame.width && fittedHeight_ == frame.height) return true;
    if (!output_->Resize(frame.width * scale_, frame.height * scale_)) return false;
    ScaleNearestInto(frame, PixelRect{0, 0, frame.width, frame.height}, scale_, output_->Pixels(), output_->Stride());
    fittedWidth_ = frame.width;
    fittedHeight_ = frame.height;
    whole_ = false;
    return true;
}

bool FramePresenter::Prepare()
{
    if (!output_ || stage_.Frame().width <= 0 || stage_.Frame().height <= 0) return false;
    return Fit();
}

bool FramePresenter::Refresh()
{
    const Bitmap& frame = stage_.Compose();
    if (!output_ || frame.width <= 0 || frame.height <= 0) return true;
    const PixelRect whole{0, 0, frame.width, frame.height};
    const bool drawnWhole = whole_ || fittedWidth_ != frame.width || fittedHeight_ != frame.height;
    if (!Fit()) return false;
    rects_.clear();
    if (drawnWhole) {
        rects_.push_back(PixelRect{0, 0, whole.w * scale_, whole.h * scale_});
    } else {
        for (const PixelRect& rect : stage_.ChangedRects()) {
            const PixelRect part = Intersect(rect, whole);
            if (part.Empty()) continue;
            ScaleNearestInto(frame, part, scale_, output_->Pixels(), output_->Stride());
            rects_.push_back(PixelRect{part.x * scale_, part.y * scale_, part.w * scale_, part.h * scale_});
        }
    }
    if (!rects_.empty()) output_->Show(rects_);
    return true;
}

}  // namespace seastrip
