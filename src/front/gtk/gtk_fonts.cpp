#include "front/gtk/gtk_fonts.h"

#include <fontconfig/fontconfig.h>
#include <glib.h>

#include <cstdio>

#include "shell/menu_commands.h"
#include "platform/version_info.h"

namespace seastrip {
namespace {

void AddText(FcCharSet* set, const char* text)
{
    for (const char* p = text; *p; p = g_utf8_next_char(p)) FcCharSetAddChar(set, g_utf8_get_char(p));
}

// Every character the menu and the dialog show, Latin ones included.
FcCharSet* NeededCharacters()
{
    using namespace menu_text;
    FcCharSet* set = FcCharSetCreate();
    for (const char* text : {kScene, kSound, kVersion, kExit, version_info::kCaption}) AddText(set, text);
    for (const char* text : kSceneItems) AddText(set, text);
    for (const char* text : kSoundItems) AddText(set, text);
    return set;
}

// Whether the installed fonts together have every needed character: the
// toolkit takes each glyph from whichever font has it.
bool InstalledFontsCover(const FcCharSet* needed)
{
    FcPattern* any = FcPatternCreate();
    FcObjectSet* charsets = FcObjectSetBuild(FC_CHARSET, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, any, charsets);
    FcCharSet* all = FcCharSetCreate();
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcCharSet* charset = nullptr;
        if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &charset) == FcResultMatch) {
            FcCharSetMerge(all, charset, nullptr);
        }
    }
    const bool covered = FcCharSetIsSubset(needed, all);
    FcCharSetDestroy(all);
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(charsets);
    FcPatternDestroy(any);
    return covered;
}

}  // namespace

void WarnWithoutJapaneseFont()
{
    if (!FcInit()) return;
    FcCharSet* needed = NeededCharacters();
    if (!InstalledFontsCover(needed)) {
        std::fputs("seastrip: no installed font has the menu's Japanese captions, which show as boxes; "
                   "install one, for example the package fonts-ipafont-gothic\n",
                   stderr);
    }
    FcCharSetDestroy(needed);
}

}  // namespace seastrip
