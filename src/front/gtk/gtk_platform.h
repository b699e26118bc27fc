#pragma once

#include <gtk/gtk.h>

#include <string>

#include "platform/platform.h"
#include "front/common/random_source.h"
#include "stage/stage.h"

struct ca_context;

namespace seastrip {

struct Program;
class GtkPlatform;

// The strip's monitor, read once at start: the strip is sized and docked only
// at load and does not follow later changes of the screen.
struct MonitorArea {
    GdkRectangle geometry{0, 0, 1024, 768};
    GdkRectangle workArea{0, 0, 1024, 768};
};
MonitorArea ReadMonitorArea();

// The strip's own surface as the program sees it: the stage's strip element,
// whose geometry also places and sizes the real top-level window.
class GtkStripElement final : public Element {
public:
    GtkStripElement(Element& surface, GtkPlatform& platform) : surface_(surface), platform_(platform) {}

    float Left() const override { return surface_.Left(); }
    float Top() const override { return surface_.Top(); }
    float Width() const override { return surface_.Width(); }
    float Height() const override { return surface_.Height(); }
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;

    // The window is mapped only when the load shows it.
    bool Visible() const override { return shown_; }
    void SetVisible(bool visible) override;
    void BringToFront() override {}

    Colour FillColour() const override { return surface_.FillColour(); }
    void SetFillColour(Colour colour) override { surface_.SetFillColour(colour); }
    Picture GetPicture() const override { return surface_.GetPicture(); }
    void TakePictureOf(const Element& source) override { surface_.TakePictureOf(source); }

    void StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) override
    {
        surface_.StretchCopy(source, sx, sy, sw, sh, dx, dy, dw, dh);
    }
    int32_t ReadPoint(int x, int y) const override { return surface_.ReadPoint(x, y); }
    void SetPoint(int x, int y, Colour colour) override { surface_.SetPoint(x, y, colour); }
    void FillBox(int x, int y, int w, int h, Colour colour) override { surface_.FillBox(x, y, w, h, colour); }
    RegionResult ApplyRegionData(const uint8_t* record, uint32_t byteCount) override
    {
        return surface_.ApplyRegionData(record, byteCount);
    }

private:
    Element& surface_;
    GtkPlatform& platform_;
    bool shown_ = false;
};

// The Linux desktop through GTK 3: one undecorated top-level window shows the
// software stage's frame; GLib timeouts drive the ticks; the menu, the version
// dialog and the failure message are real GTK widgets; sound goes through
// libcanberra.
class GtkPlatform final : public Platform {
public:
    GtkPlatform();
    ~GtkPlatform() override;
    GtkPlatform(const GtkPlatform&) = delete;
    GtkPlatform& operator=(const GtkPlatform&) = delete;

    // The program that presses, menu choices and timers drive.
    void Attach(Program& program) { program_ = &program; }
    Program& Attached() { return *program_; }
    Stage& GetStage() { return stage_; }
    GtkWidget* StripWindow() const { return window_; }
    // The frame as the window shows it; null before the first Refresh.
    cairo_surface_t* FrameImage() const { return image_; }

    // Composes the frame, copies what changed into the window's image and
    // queues a redraw of that rectangle only. Runs after every tick and
    // command; drawing itself never runs scene code.
    void Refresh();
    // Moves and sizes the window to the strip element's geometry.
    void PlaceStripWindow();
    void ShowStripWindow(bool visible);
    // A press on the strip's own surface, GTK button numbering.
    void StripPressed(int x, int y, unsigned gtkButton);

    Element& Strip() override { return strip_; }
    Element& CreateElement(const ElementDesign& design) override { return stage_.CreateElement(design); }
    Element& CreateInstance(const Element& lowest) override { return stage_.CreateInstance(lowest); }
    void DestroyElement(Element& element) override { stage_.DestroyElement(element); }

    float TwipsPerPixelX() const override { return kTwipsPerPixel; }
    float TwipsPerPixelY() const override { return kTwipsPerPixel; }
    float ScreenWidth() const override { return static_cast<float>(area_.geometry.width) * kTwipsPerPixel; }
    // The bottom of the monitor's work area; with no caption metric added, the
    // strip's bottom edge lands on it.
    int FullScreenClientHeight() const override { return area_.workArea.y + area_.workArea.height; }
    int CaptionHeight() const override { return 0; }

    int LocalHour() const override;
    double Random() override { return random_.Next(); }

    void PlaySoundAsync(const std::string& path) override;

    std::string ReadProfileString(const std::string& section, const std::string& key,
                                  const std::string& path) override;
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path) override;
    std::string SettingsFolder() const override;
    std::string ExecutableBaseName() const override;
    char PathSeparator() const override { return '/'; }
    std::string DataFolder() const override;

    MenuChoice OpenPopupMenu() override;
    void ShowVersionDialog() override;
    [[noreturn]] void ShowMessageAndExit(const std::string& text) override;
    [[noreturn]] void ExitProgram() override;
    void StartTimers() override;

    static constexpr float kTwipsPerPixel = 15.0f;

private:
    void CreateStripWindow();
    void BuildMenu();
    void SyncMenuMarks();
    void MenuItemChosen(GtkWidget* item);
    MenuChoice chosen_;  // what the open menu has been answered with
    static void OnMenuItemActivate(GtkMenuItem* item, gpointer self);

    MonitorArea area_;  // first: the stage is sized from it
    Stage stage_;
    GtkStripElement strip_;
    RandomSource random_;
    Program* program_ = nullptr;

    GtkWidget* window_ = nullptr;
    GtkWidget* canvas_ = nullptr;
    cairo_surface_t* image_ = nullptr;  // the frame as the window shows it

    GtkWidget* menu_ = nullptr;
    GtkWidget* sceneItems_[kSceneItemCount] = {};
    GtkWidget* soundItems_[kSoundItemCount] = {};
    GtkWidget* versionItem_ = nullptr;
    GtkWidget* exitItem_ = nullptr;

    ca_context* sound_ = nullptr;
    bool soundUnavailable_ = false;

};

// The monitor the strip belongs on: the primary one, or the first.
GdkMonitor* StripMonitor(GdkDisplay* display);
// The program icon as a pixbuf (owned by the caller).
GdkPixbuf* IconPixbuf();

}  // namespace seastrip
