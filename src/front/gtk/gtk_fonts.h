#pragma once

namespace seastrip {

// Says once, on standard error, when no installed font has the glyphs of the
// menu's Japanese captions and the version dialog's caption, which would
// show as boxes, and names the package that brings one. The program runs on
// either way.
void WarnWithoutJapaneseFont();

}  // namespace seastrip
