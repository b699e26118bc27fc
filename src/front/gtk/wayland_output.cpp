#include "front/gtk/wayland_output.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <climits>
#include <cstdint>
#include <cstring>

namespace seastrip {

WaylandOutput::WaylandOutput(GtkWidget* area, wl_display* display, wl_surface* surface)
    : paint_(area), display_(display), surface_(surface)
{
    queue_ = wl_display_create_queue(display_);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    static const wl_registry_listener listener{OnGlobal, OnGlobalRemove};
    wl_registry_add_listener(registry, &listener, this);
    wl_display_roundtrip_queue(display_, queue_);
    wl_registry_destroy(registry);
}

WaylandOutput::~WaylandOutput()
{
    DropBuffers();
    if (shm_) wl_shm_destroy(shm_);
    wl_display_flush(display_);
    wl_event_queue_destroy(queue_);
}

void WaylandOutput::OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* output = static_cast<WaylandOutput*>(data);
    if (std::strcmp(interface, wl_shm_interface.name) == 0 && !output->shm_) {
        output->shm_ = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    }
}

void WaylandOutput::OnGlobalRemove(void*, wl_registry*, uint32_t) {}

void WaylandOutput::OnRelease(void* data, wl_buffer*) { static_cast<Buffer*>(data)->busy = false; }

void WaylandOutput::DropBuffers()
{
    for (Buffer& b : buffers_) {
        if (b.buffer) wl_buffer_destroy(b.buffer);
        b = Buffer{};
    }
    if (mapping_) munmap(mapping_, mappingBytes_);
    mapping_ = nullptr;
    mappingBytes_ = 0;
    width_ = height_ = 0;
    turns_.Reset();
}

// Both buffers in one pool of shared memory, 0x00RRGGBB words as the image's.
bool WaylandOutput::MakeBuffers(int width, int height)
{
    DropBuffers();
    const size_t stride = static_cast<size_t>(width) * 4;
    const size_t bytes = stride * height;
    const int fd = memfd_create("seastrip-strip", MFD_CLOEXEC);
    if (fd < 0) return false;
    bool made = ftruncate(fd, static_cast<off_t>(bytes * 2)) == 0;
    void* mapping = made ? mmap(nullptr, bytes * 2, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
    made = mapping != MAP_FAILED;
    if (made) {
        mapping_ = static_cast<uint8_t*>(mapping);
        mappingBytes_ = bytes * 2;
        wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<int32_t>(bytes * 2));
        static const wl_buffer_listener listener{OnRelease};
        for (size_t i = 0; i < BufferTurns::kCount; ++i) {
            Buffer& b = buffers_[i];
            b.buffer = wl_shm_pool_create_buffer(pool, static_cast<int32_t>(bytes * i), width, height,
                                                 static_cast<int32_t>(stride), WL_SHM_FORMAT_XRGB8888);
            b.pixels = mapping_ + bytes * i;
            wl_buffer_add_listener(b.buffer, &listener, &b);
        }
        // The buffers keep the memory; the pool is only how they were cut.
        wl_shm_pool_destroy(pool);
        width_ = width;
        height_ = height;
    }
    close(fd);
    return made;
}

// On a surface that GTK has shown once, straight onto it; the area is the
// whole surface. Otherwise GTK's last frame on the surface misses what went
// straight onto it: its next one is drawn whole.
void WaylandOutput::Show(std::span<const PixelRect> rects)
{
    paint_.Place(scale_, x_, y_);
    if (shown_ && x_ == 0 && y_ == 0 && Put(rects)) return;
    // GTK shows this change: the buffers still lack it.
    turns_.MissedByAll(rects);
    const PixelRect whole{0, 0, paint_.Width(), paint_.Height()};
    paint_.Show(std::span<const PixelRect>(&whole, 1));
}

void WaylandOutput::Draw(cairo_t* cr, const GdkRectangle& clip)
{
    paint_.Place(scale_, x_, y_);
    paint_.Draw(cr, clip);
    shown_ = true;
}

bool WaylandOutput::Put(std::span<const PixelRect> rects)
{
    const uint8_t* pixels = paint_.Image();
    const ptrdiff_t stride = paint_.Stride();
    const int width = paint_.Width();
    const int height = paint_.Height();
    if (!shm_ || !pixels || width <= 0 || height <= 0) return false;
    if ((width != width_ || height != height_) && !MakeBuffers(width, height)) return false;
    // Buffers the compositor gave back since the last put.
    wl_display_dispatch_queue_pending(display_, queue_);
    size_t which = BufferTurns::kCount;
    for (size_t i = 0; i < BufferTurns::kCount; ++i) {
        if (!buffers_[i].busy) {
            which = i;
            break;
        }
    }
    if (which == BufferTurns::kCount) return false;
    Buffer* free = &buffers_[which];

    const PixelRect whole{0, 0, width, height};
    for (const PixelRect& rect : turns_.Bring(which, rects, whole)) {
        const PixelRect part = Intersect(rect, whole);
        for (int y = part.y; y < part.y + part.h; ++y) {
            std::memcpy(free->pixels + (static_cast<size_t>(y) * width + part.x) * 4,
                        pixels + stride * y + static_cast<ptrdiff_t>(part.x) * 4, static_cast<size_t>(part.w) * 4);
        }
    }

    wl_surface_attach(surface_, free->buffer, 0, 0);
    // Damage in buffer pixels came with the surface's fourth version; before
    // it, the whole surface is marked.
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(surface_)) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION) {
        for (const PixelRect& rect : rects) wl_surface_damage_buffer(surface_, rect.x, rect.y, rect.w, rect.h);
    } else {
        wl_surface_damage(surface_, 0, 0, INT32_MAX, INT32_MAX);
    }
    wl_surface_commit(surface_);
    free->busy = true;
    wl_display_flush(display_);
    return true;
}

}  // namespace seastrip
