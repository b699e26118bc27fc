#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "front/gtk/buffer_turns.h"
#include "front/gtk/cairo_output.h"

struct wl_buffer;
struct wl_display;
struct wl_registry;
struct wl_event_queue;
struct wl_shm;
struct wl_surface;

namespace seastrip {

// Puts the strip's pixels straight onto its Wayland surface from the tick
// itself: only the changed rectangles are copied from the image into a
// buffer of the program's own, which is attached, damaged and committed.
// GTK's own way of showing a change is a paint cycle with a fresh buffer per
// frame, the whole previous frame copied into it, and a frame callback that
// wakes the program once more: several times what the change itself costs.
//
// Two buffers take turns (BufferTurns): the compositor may read the one it
// was given last until it has the next. Their events (a buffer given back) arrive on a queue of its
// own, which GTK reads from the connection along with its own and which is
// looked at before every put, so GTK's handling of its events never sees them.
//
// The surface must have shown a frame of GTK's first: the compositor takes
// no buffer before the surface's role is configured. Until then, and
// whenever no buffer is free or none can be made, the change goes through
// GTK's paint of the same image instead.
class WaylandOutput final : public GtkFrameOutput {
public:
    WaylandOutput(GtkWidget* area, wl_display* display, wl_surface* surface);
    ~WaylandOutput() override;
    WaylandOutput(const WaylandOutput&) = delete;
    WaylandOutput& operator=(const WaylandOutput&) = delete;

    // Whether the compositor offers shared-memory buffers to this program;
    // without them the area is better off with a plain cairo output.
    bool HasBuffers() const { return shm_ != nullptr; }

    bool Resize(int width, int height) override { return paint_.Resize(width, height); }
    uint8_t* Pixels() override { return paint_.Pixels(); }
    ptrdiff_t Stride() const override { return paint_.Stride(); }
    void Show(std::span<const PixelRect> rects) override;
    void Draw(cairo_t* cr, const GdkRectangle& clip) override;

private:
    struct Buffer {
        wl_buffer* buffer = nullptr;
        uint8_t* pixels = nullptr;
        bool busy = false;  // the compositor's until it gives it back
    };
    static void OnRelease(void* data, wl_buffer* buffer);
    static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);
    // Copies the rectangles (device pixels) of the image onto the surface
    // and commits them; false when no buffer could be made or both are
    // still the compositor's.
    bool Put(std::span<const PixelRect> rects);
    bool MakeBuffers(int width, int height);
    void DropBuffers();

    CairoOutput paint_;  // the image, and GTK's way of showing it
    bool shown_ = false;  // GTK has painted the surface since it was made

    wl_display* display_ = nullptr;
    wl_surface* surface_ = nullptr;
    wl_event_queue* queue_ = nullptr;
    wl_shm* shm_ = nullptr;
    Buffer buffers_[BufferTurns::kCount];
    BufferTurns turns_;  // what each buffer lacks of the image
    int width_ = 0;
    int height_ = 0;
    uint8_t* mapping_ = nullptr;
    size_t mappingBytes_ = 0;
};

}  // namespace seastrip
