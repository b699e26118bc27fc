#include "front/gtk/x11_output.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

namespace seastrip {
namespace {

constexpr uint8_t kDepth = 24;
constexpr size_t kPutImageHeaderBytes = 24;

// Whether the server lays out a depth-24 image as this class writes it.
bool ImagesAreWords(const xcb_setup_t* setup)
{
    const uint8_t hostOrder =
        std::endian::native == std::endian::little ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST;
    if (setup->image_byte_order != hostOrder) return false;
    xcb_format_iterator_t format = xcb_setup_pixmap_formats_iterator(setup);
    for (; format.rem > 0; xcb_format_next(&format)) {
        if (format.data->depth == kDepth) return format.data->bits_per_pixel == 32 && format.data->scanline_pad <= 32;
    }
    return false;
}

bool ServerHasSharedMemory(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!extension || !extension->present) return false;
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr);
    std::free(version);
    return version != nullptr;
}

}  // namespace

X11Output::X11Output(const char* displayName, xcb_window_t window) : window_(window)
{
    connection_ = xcb_connect(displayName, nullptr);
    if (xcb_connection_has_error(connection_) || !ImagesAreWords(xcb_get_setup(connection_))) return;
    gc_ = xcb_generate_id(connection_);
    xcb_create_gc(connection_, gc_, window_, 0, nullptr);
    shmAvailable_ = ServerHasSharedMemory(connection_);
    maxRequestBytes_ = static_cast<size_t>(xcb_get_maximum_request_length(connection_)) * 4;
    usable_ = !xcb_connection_has_error(connection_) && maxRequestBytes_ > kPutImageHeaderBytes;
}

// Closing the connection frees what the server holds for it: the context
// and the segment.
X11Output::~X11Output()
{
    DropImage();
    xcb_disconnect(connection_);
}

void X11Output::DropImage()
{
    if (segment_ != 0) {
        // The server keeps its own mapping until it handles the detach, after
        // every put before it.
        xcb_shm_detach(connection_, segment_);
        shmdt(pixels_);
        segment_ = 0;
    }
    std::vector<uint8_t>().swap(plain_);
    pixels_ = nullptr;
    width_ = height_ = 0;
}

bool X11Output::Resize(int width, int height)
{
    if (!usable_ || width <= 0 || height <= 0) return false;
    if (width == width_ && height == height_) return true;
    DropImage();
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    if (!(shmAvailable_ && MakeSharedImage(bytes))) {
        try {
            plain_.assign(bytes, 0);
        } catch (const std::bad_alloc&) {
            usable_ = false;
            return false;
        }
        pixels_ = plain_.data();
    }
    width_ = width;
    height_ = height;
    return true;
}

bool X11Output::MakeSharedImage(size_t bytes)
{
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return false;
    void* address = shmat(id, nullptr, 0);
    bool attached = false;
    if (address != reinterpret_cast<void*>(-1)) {
        // A server on another machine, or one that refuses, answers with an
        // error: then the plain way is taken for good.
        segment_ = xcb_generate_id(connection_);
        xcb_generic_error_t* error =
            xcb_request_check(connection_, xcb_shm_attach_checked(connection_, segment_, static_cast<uint32_t>(id), 0));
        attached = error == nullptr;
        std::free(error);
    }
    // Marked for removal once both sides hold it: it goes when the last of
    // them lets go, even if this process is killed.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) {
        if (address != reinterpret_cast<void*>(-1)) shmdt(address);
        segment_ = 0;
        shmAvailable_ = false;
        return false;
    }
    pixels_ = static_cast<uint8_t*>(address);
    return true;
}

void X11Output::Show(std::span<const PixelRect> rects) { Put(rects); }

// An expose puts the exposed part from the image.
void X11Output::Draw(cairo_t*, const GdkRectangle& clip)
{
    const PixelRect device{clip.x * scale_, clip.y * scale_, clip.width * scale_, clip.height * scale_};
    Put(std::span<const PixelRect>(&device, 1));
}

void X11Output::Put(std::span<const PixelRect> rects)
{
    if (!usable_ || !pixels_) return;
    const int dx = x_ * scale_;
    const int dy = y_ * scale_;
    bool sent = false;
    for (const PixelRect& rect : rects) {
        const PixelRect part = Intersect(rect, PixelRect{0, 0, width_, height_});
        if (part.Empty()) continue;
        if (segment_ != 0) {
            xcb_shm_put_image(connection_, window_, gc_, static_cast<uint16_t>(width_), static_cast<uint16_t>(height_),
                              static_cast<uint16_t>(part.x), static_cast<uint16_t>(part.y),
                              static_cast<uint16_t>(part.w), static_cast<uint16_t>(part.h),
                              static_cast<int16_t>(part.x + dx), static_cast<int16_t>(part.y + dy), kDepth,
                              XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_, 0);
        } else {
            PutPlain(part, dx, dy);
        }
        sent = true;
    }
    if (sent) xcb_flush(connection_);
}

// Without shared memory the pixels travel in the requests: the rectangle's
// rows packed together, as many rows a request as the server takes.
void X11Output::PutPlain(const PixelRect& part, int dx, int dy)
{
    const size_t rowBytes = static_cast<size_t>(part.w) * 4;
    const int rowsPerRequest =
        static_cast<int>(std::max<size_t>(1, (maxRequestBytes_ - kPutImageHeaderBytes) / rowBytes));
    for (int y = part.y; y < part.y + part.h; y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, part.y + part.h - y);
        rows_.resize(rowBytes * rows);
        for (int k = 0; k < rows; ++k) {
            std::memcpy(&rows_[rowBytes * k], pixels_ + Stride() * (y + k) + static_cast<ptrdiff_t>(part.x) * 4,
                        rowBytes);
        }
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, static_cast<uint16_t>(part.w),
                      static_cast<uint16_t>(rows), static_cast<int16_t>(part.x + dx), static_cast<int16_t>(y + dy), 0,
                      kDepth, static_cast<uint32_t>(rows_.size()), rows_.data());
    }
}

}  // namespace seastrip
