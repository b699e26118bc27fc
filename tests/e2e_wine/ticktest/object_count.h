#pragma once

namespace seastrip {

struct GuiObjectCounts {
    long gdi = -1;   // GDI objects of this process, -1 when unknown
    long user = -1;  // USER objects, -1 when unknown
    long windows = 0;  // windows of this thread, children included
    const char* gdiSource = "";
};

// The process's GDI and USER object counts. Where GetGuiResources is not
// implemented (it answers 0; Wine does so), the GDI objects are counted in
// the shared GDI handle table instead. The windows, the bulk of the USER
// objects, are counted anyway.
GuiObjectCounts CountGuiObjects();

}  // namespace seastrip
