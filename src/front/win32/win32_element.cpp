#include "front/win32/win32_element.h"

#include <algorithm>
#include <map>
#include <utility>

#include "platform/twips.h"

namespace seastrip {
namespace {

constexpr wchar_t kElementClass[] = L"SeastripElement";

uint32_t ToPixel(Colour c) { return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; }
Colour FromPixel(uint32_t p)
{
    return Colour{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
}

BITMAPINFO TopDownInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A picture in the 32-bit layout GDI draws from. Pictures are few and live as
// long as the program, so each is converted once.
const std::vector<uint32_t>& PixelsOf(const Picture& picture)
{
    static std::map<const Bitmap*, std::pair<Picture, std::vector<uint32_t>>> cache;
    auto [it, added] = cache.try_emplace(picture.get());
    if (added) {
        it->second.first = picture;
        std::vector<uint32_t>& pixels = it->second.second;
        pixels.resize(static_cast<size_t>(picture->width) * picture->height);
        for (int y = 0; y < picture->height; ++y)
            for (int x = 0; x < picture->width; ++x)
                pixels[static_cast<size_t>(y) * picture->width + x] = ToPixel(picture->At(x, y));
    }
    return it->second.second;
}

PixelBox BoxOf(const RECT& r) { return PixelBox{r.left, r.top, r.right, r.bottom}; }

int ArtFromTwips(float twips) { return PixelsFromTwips(twips, kTwipsPerArtPixel); }

}  // namespace

Win32Element::Win32Element(const StripFrame& frame, bool persistent) : frame_(frame), persistent_(persistent) {}

bool Win32Element::RegisterElementClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = kElementClass;
    return RegisterClassExW(&windowClass) != 0;
}

std::unique_ptr<Win32Element> Win32Element::CreateChild(HWND parent, const ElementDesign& design,
                                                        const StripFrame& frame)
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    std::unique_ptr<Win32Element> element(new Win32Element(frame, design.persistentImage));
    element->left_ = ArtFromTwips(design.left);
    element->top_ = ArtFromTwips(design.top);
    element->width_ = std::max(0, ArtFromTwips(design.width));
    element->height_ = std::max(0, ArtFromTwips(design.height));
    element->visible_ = design.visible;
    element->fill_ = design.fill;
    element->picture_ = design.picture;
    const PixelBox place = element->DevicePlace();
    if (!CreateWindowExW(0, kElementClass, L"", WS_CHILD | WS_CLIPSIBLINGS | (design.visible ? WS_VISIBLE : 0),
                         place.left, place.top, place.right - place.left, place.bottom - place.top, parent, nullptr,
                         instance, element.get()))
        return nullptr;
    element->ResizeImage();
    return element;
}

std::unique_ptr<Win32Element> Win32Element::Duplicate() const
{
    const HWND parent = GetParent(window_);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    std::unique_ptr<Win32Element> copy(new Win32Element(frame_, persistent_));
    copy->left_ = left_;
    copy->top_ = top_;
    copy->width_ = width_;
    copy->height_ = height_;
    copy->fill_ = fill_;
    copy->picture_ = picture_;
    const PixelBox place = copy->DevicePlace();
    if (!CreateWindowExW(0, kElementClass, L"", WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, parent, nullptr, instance, copy.get()))
        return nullptr;
    copy->ResizeImage();
    if (bits_ && copy->bits_) {
        GdiFlush();
        std::copy(bits_, bits_ + static_cast<size_t>(imageWidth_) * imageHeight_, copy->bits_);
    }
    copy->BringToFront();
    return copy;
}

Win32Element::~Win32Element()
{
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (imageDc_) {
        SelectObject(imageDc_, previousBitmap_);
        DeleteDC(imageDc_);
    }
    if (image_) DeleteObject(image_);
}

LRESULT CALLBACK Win32Element::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* element = static_cast<Win32Element*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        element->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(element));
    }
    auto* element = reinterpret_cast<Win32Element*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!element) return DefWindowProcW(window, message, wParam, lParam);
    return element->Message(message, wParam, lParam);
}

// A child element only paints; presses on it go nowhere, as on the desktop
// a press on a shown element does nothing.
LRESULT Win32Element::Message(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // an ornament never takes the focus
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Win32Element::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const int n = frame_.scale;
    // Art pixels are copied as whole blocks, never blended.
    SetStretchBltMode(dc, COLORONCOLOR);
    if (persistent_ && imageDc_) {
        PixelBox art = ArtCovering(BoxOf(paint.rcPaint), n);
        art = PixelBox{std::max(0, art.left), std::max(0, art.top), std::min(imageWidth_, art.right),
                       std::min(imageHeight_, art.bottom)};
        const int w = art.right - art.left;
        const int h = art.bottom - art.top;
        if (w > 0 && h > 0) {
            if (n == 1) BitBlt(dc, art.left, art.top, w, h, imageDc_, art.left, art.top, SRCCOPY);
            else StretchBlt(dc, art.left * n, art.top * n, w * n, h * n, imageDc_, art.left, art.top, w, h, SRCCOPY);
        }
    } else {
        SetDCBrushColor(dc, RGB(fill_.r, fill_.g, fill_.b));
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        if (picture_ && picture_->width > 0 && picture_->height > 0) {
            const std::vector<uint32_t>& pixels = PixelsOf(picture_);
            BITMAPINFO info = TopDownInfo(picture_->width, picture_->height);
            StretchDIBits(dc, 0, 0, picture_->width * n, picture_->height * n, 0, 0, picture_->width,
                          picture_->height, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        }
    }
    EndPaint(window_, &paint);
}

float Win32Element::Left() const { return static_cast<float>(left_) * kTwipsPerArtPixel; }
float Win32Element::Top() const { return static_cast<float>(top_) * kTwipsPerArtPixel; }
float Win32Element::Width() const { return static_cast<float>(width_) * kTwipsPerArtPixel; }
float Win32Element::Height() const { return static_cast<float>(height_) * kTwipsPerArtPixel; }

void Win32Element::SetLeft(float twips)
{
    left_ = ArtFromTwips(twips);
    Place();
}

void Win32Element::SetTop(float twips)
{
    top_ = ArtFromTwips(twips);
    Place();
}

void Win32Element::SetWidth(float twips)
{
    width_ = std::max(0, ArtFromTwips(twips));
    Place();
    ResizeImage();
}

void Win32Element::SetHeight(float twips)
{
    height_ = std::max(0, ArtFromTwips(twips));
    Place();
    ResizeImage();
}

PixelBox Win32Element::DevicePlace() const { return ScaleBox(ArtBox(), frame_.scale); }

void Win32Element::Place()
{
    const PixelBox place = DevicePlace();
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Element::Rescale()
{
    Place();
    if (!region_.empty()) ShapeWindow();
    InvalidateRect(window_, nullptr, FALSE);
}

void Win32Element::SetVisible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    ShowWindow(window_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void Win32Element::BringToFront()
{
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Element::SetFillColour(Colour colour)
{
    fill_ = colour;
    if (persistent_) RepaintBackground();
    InvalidateRect(window_, nullptr, FALSE);
}

void Win32Element::TakePictureOf(const Element& source)
{
    picture_ = source.GetPicture();
    if (persistent_) RepaintBackground();
    InvalidateRect(window_, nullptr, FALSE);
}

void Win32Element::ResizeImage()
{
    if (!persistent_ || (width_ == imageWidth_ && height_ == imageHeight_)) return;
    HDC oldDc = imageDc_;
    HBITMAP oldImage = image_;
    HGDIOBJ oldPrevious = previousBitmap_;
    uint32_t* oldBits = bits_;
    const int oldWidth = imageWidth_;
    const int oldHeight = imageHeight_;

    imageDc_ = nullptr;
    image_ = nullptr;
    bits_ = nullptr;
    imageWidth_ = 0;
    imageHeight_ = 0;
    if (width_ > 0 && height_ > 0) {
        BITMAPINFO info = TopDownInfo(width_, height_);
        void* bits = nullptr;
        image_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        imageDc_ = image_ ? CreateCompatibleDC(nullptr) : nullptr;
        if (imageDc_) {
            previousBitmap_ = SelectObject(imageDc_, image_);
            bits_ = static_cast<uint32_t*>(bits);
            imageWidth_ = width_;
            imageHeight_ = height_;
            RepaintBackground();
            GdiFlush();
            for (int y = 0; y < std::min(oldHeight, imageHeight_); ++y)
                std::copy(oldBits + static_cast<size_t>(y) * oldWidth,
                          oldBits + static_cast<size_t>(y) * oldWidth + std::min(oldWidth, imageWidth_), Row(y));
        } else if (image_) {
            DeleteObject(image_);
            image_ = nullptr;
        }
    }
    if (oldDc) {
        SelectObject(oldDc, oldPrevious);
        DeleteDC(oldDc);
    }
    if (oldImage) DeleteObject(oldImage);
    InvalidateRect(window_, nullptr, FALSE);
}

void Win32Element::RepaintBackground()
{
    if (!bits_) return;
    GdiFlush();
    std::fill(bits_, bits_ + static_cast<size_t>(imageWidth_) * imageHeight_, ToPixel(fill_));
    if (!picture_) return;
    const int w = std::min(picture_->width, imageWidth_);
    const int h = std::min(picture_->height, imageHeight_);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Row(y)[x] = ToPixel(picture_->At(x, y));
}

void Win32Element::Invalidate(int x, int y, int w, int h)
{
    const PixelBox art{std::max(0, x), std::max(0, y), std::min(imageWidth_, x + w), std::min(imageHeight_, y + h)};
    if (art.left >= art.right || art.top >= art.bottom) return;
    const PixelBox device = ScaleBox(art, frame_.scale);
    const RECT area{device.left, device.top, device.right, device.bottom};
    InvalidateRect(window_, &area, FALSE);
}

void Win32Element::StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh)
{
    if (!bits_ || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    GdiFlush();
    for (int j = 0; j < dh; ++j) {
        const int y = dy + j;
        const int fromY = sy + static_cast<int>(static_cast<int64_t>(j) * sh / dh);
        if (y < 0 || y >= imageHeight_ || fromY < 0 || fromY >= source.height) continue;
        uint32_t* row = Row(y);
        for (int i = 0; i < dw; ++i) {
            const int x = dx + i;
            const int fromX = sx + static_cast<int>(static_cast<int64_t>(i) * sw / dw);
            if (x < 0 || x >= imageWidth_ || fromX < 0 || fromX >= source.width) continue;
            row[x] = ToPixel(source.At(fromX, fromY));
        }
    }
    Invalidate(dx, dy, dw, dh);
}

int32_t Win32Element::ReadPoint(int x, int y) const
{
    if (persistent_) {
        if (!bits_ || x < 0 || y < 0 || x >= imageWidth_ || y >= imageHeight_) return kNoPixel;
        GdiFlush();
        return FromPixel(Row(y)[x]).Packed();
    }
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kNoPixel;
    if (picture_ && picture_->Contains(x, y)) return picture_->At(x, y).Packed();
    return fill_.Packed();
}

void Win32Element::SetPoint(int x, int y, Colour colour)
{
    if (!bits_ || x < 0 || y < 0 || x >= imageWidth_ || y >= imageHeight_) return;
    GdiFlush();
    Row(y)[x] = ToPixel(colour);
    Invalidate(x, y, 1, 1);
}

void Win32Element::FillBox(int x, int y, int w, int h, Colour colour)
{
    if (!bits_) return;
    GdiFlush();
    const int right = std::min(imageWidth_, x + w);
    const int bottom = std::min(imageHeight_, y + h);
    for (int row = std::max(0, y); row < bottom; ++row)
        for (int column = std::max(0, x); column < right; ++column) Row(row)[column] = ToPixel(colour);
    Invalidate(x, y, w, h);
}

RegionResult Win32Element::ApplyRegionData(const uint8_t* record, uint32_t byteCount)
{
    // Kept, so that a change of scale can shape the window again.
    region_.assign(record, record + byteCount);
    return ShapeWindow();
}

// The record is already an RGNDATA. At scale 1 it is handed over in place;
// otherwise every rectangle is multiplied out first, which keeps each art
// pixel a whole block and, unlike a transform, keeps the fast rectangle path.
RegionResult Win32Element::ShapeWindow()
{
    const auto size = static_cast<DWORD>(region_.size());
    HRGN region = nullptr;
    if (frame_.scale == 1) {
        region = ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(region_.data()));
    } else {
        const std::vector<uint8_t> scaled = ScaledRegionRecord(region_.data(), size, frame_.scale);
        region = ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(scaled.data()));
    }
    if (!region) return RegionResult::CreateFailed;
    // On success the window owns the region and frees the one it replaces.
    if (!SetWindowRgn(window_, region, TRUE)) {
        DeleteObject(region);
        return RegionResult::SetFailed;
    }
    return RegionResult::Ok;
}

}  // namespace seastrip
