// The desktop program on a desktop that stops taking outlines: from its
// second second on, every outline given to the elements named on the command
// line is refused (picKUMO, the clouds, fails in the main tick; picNami, the
// waves, in the wave tick), and the failure message comes up. While it is
// up, the probe reports on standard error every tick that still runs (each
// tick asks the platform for the screen width or the hour) and every further
// message the program tries to show.
//
// usage: seastrip-failure-probe ELEMENT_NAME
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "front/gtk/gtk_platform.h"
#include "shell/start_program.h"
#include "state/program.h"

namespace seastrip {
namespace {

// A stage element that refuses its outline once the probe says so.
class RefusingElement final : public Element {
public:
    RefusingElement(Element& inner, std::string name, const bool& refusing)
        : inner_(inner), name_(std::move(name)), refusing_(refusing)
    {
    }
    Element& Inner() const { return inner_; }
    const std::string& Name() const { return name_; }

    float Left() const override { return inner_.Left(); }
    float Top() const override { return inner_.Top(); }
    float Width() const override { return inner_.Width(); }
    float Height() const override { return inner_.Height(); }
    void SetLeft(float twips) override { inner_.SetLeft(twips); }
    void SetTop(float twips) override { inner_.SetTop(twips); }
    void SetWidth(float twips) override { inner_.SetWidth(twips); }
    void SetHeight(float twips) override { inner_.SetHeight(twips); }
    bool Visible() const override { return inner_.Visible(); }
    void SetVisible(bool visible) override { inner_.SetVisible(visible); }
    void BringToFront() override { inner_.BringToFront(); }
    Colour FillColour() const override { return inner_.FillColour(); }
    void SetFillColour(Colour colour) override { inner_.SetFillColour(colour); }
    Picture GetPicture() const override { return inner_.GetPicture(); }
    void TakePictureOf(const Element& source) override { inner_.TakePictureOf(source); }
    void StretchCopy(const Bitmap& source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) override
    {
        inner_.StretchCopy(source, sx, sy, sw, sh, dx, dy, dw, dh);
    }
    int32_t ReadPoint(int x, int y) const override { return inner_.ReadPoint(x, y); }
    void SetPoint(int x, int y, Colour colour) override { inner_.SetPoint(x, y, colour); }
    void FillBox(int x, int y, int w, int h, Colour colour) override { inner_.FillBox(x, y, w, h, colour); }
    RegionResult ApplyRegionData(const uint8_t* record, uint32_t byteCount) override
    {
        return refusing_ ? RegionResult::SetFailed : inner_.ApplyRegionData(record, byteCount);
    }

private:
    Element& inner_;
    std::string name_;
    const bool& refusing_;
};

class RefusingPlatform final : public GtkPlatform {
public:
    explicit RefusingPlatform(std::string refused) : refused_(std::move(refused)) {}
    void StartRefusing() { refusing_ = true; }

    Element& CreateElement(const ElementDesign& design) override
    {
        return Keep(GtkPlatform::CreateElement(design), design.name);
    }
    Element& CreateInstance(const Element& lowest) override
    {
        const auto& source = static_cast<const RefusingElement&>(lowest);
        return Keep(GtkPlatform::CreateInstance(source.Inner()), source.Name());
    }

    // The wave tick asks for the width every time, the main tick for the
    // hour every other time.
    float ScreenWidth() const override
    {
        NoteTick();
        return GtkPlatform::ScreenWidth();
    }
    int LocalHour() const override
    {
        NoteTick();
        return GtkPlatform::LocalHour();
    }

    [[noreturn]] void ShowMessageAndExit(const std::string& text) override
    {
        std::fprintf(stderr, "failure message %d: %s\n", ++messages_, text.c_str());
        messageUp_ = true;
        GtkPlatform::ShowMessageAndExit(text);
    }

private:
    Element& Keep(Element& inner, const std::string& name)
    {
        elements_.push_back(std::make_unique<RefusingElement>(inner, name, name == refused_ ? refusing_ : never_));
        return *elements_.back();
    }
    void NoteTick() const
    {
        if (messageUp_) std::fputs("a tick ran behind the failure message\n", stderr);
    }

    std::string refused_;
    std::vector<std::unique_ptr<RefusingElement>> elements_;
    bool refusing_ = false;
    const bool never_ = false;
    bool messageUp_ = false;
    int messages_ = 0;
};

gboolean StartRefusing(gpointer platform)
{
    static_cast<RefusingPlatform*>(platform)->StartRefusing();
    return G_SOURCE_REMOVE;
}

}  // namespace
}  // namespace seastrip

int main(int argc, char** argv)
{
    setenv("GDK_GL", "disable", 0);
    if (!gtk_init_check(&argc, &argv) || argc != 2) return 2;
    auto platform = std::make_unique<seastrip::RefusingPlatform>(argv[1]);
    auto program = std::make_unique<seastrip::Program>(*platform);
    platform->Attach(*program);
    seastrip::StartProgram(*program);
    g_timeout_add(1000, seastrip::StartRefusing, platform.get());
    gtk_main();
    return 0;
}
