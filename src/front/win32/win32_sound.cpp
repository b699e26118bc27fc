#include "front/win32/win32_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "front/win32/win32_text.h"

namespace seastrip {

void PlayWaveAsync(const std::string& path)
{
    // SND_NODEFAULT: a missing file stays silent instead of ringing the
    // system bell once every wave cycle.
    PlaySoundW(Widen(path).c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

}  // namespace seastrip
