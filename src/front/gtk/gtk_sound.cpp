#include "front/gtk/gtk_sound.h"

#include <alsa/asoundlib.h>
#include <canberra.h>
#include <unistd.h>

#include <cstdio>

namespace seastrip {
namespace {

// Every wave sound is played under one id, so cancelling it cuts off the one
// still playing.
constexpr uint32_t kWaveSoundId = 1;

// The sound library reports a missing sound card on standard error, line
// after line; for an ornament whose sound is optional that is noise, and
// the waves simply stay silent.
void QuietSoundLibrary(const char*, int, const char*, int, const char*, ...) {}

bool Readable(const std::string& path)
{
    if (access(path.c_str(), R_OK) != 0) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

}  // namespace

GtkSound::~GtkSound()
{
    if (context_) ca_context_destroy(context_);
}

// A missing or unreadable file stays silent: asking the sound system for a
// fallback would ring a bell at every wave cycle, every 6.6 seconds. Where
// nothing takes the sound (no device plugged in, the sound server gone) the
// sound system is asked less and less often instead of at every wave, so
// that a device that comes back is heard again within minutes; once the
// failures have lasted that long, the next try starts with a fresh context
// (a new one reads the whole sound configuration again, some twenty times
// what a try costs, so not every time).
void GtkSound::Play(const std::string& path)
{
    if (unavailable_ || !retry_.Due() || !Readable(path)) return;
    if (!context_ && !Open()) return;
    ca_context_cancel(context_, kWaveSoundId);
    if (ca_context_play(context_, kWaveSoundId, CA_PROP_MEDIA_FILENAME, path.c_str(), CA_PROP_MEDIA_ROLE, "event",
                        nullptr) == CA_SUCCESS) {
        retry_.Succeeded();
        return;
    }
    retry_.Failed();
    if (retry_.AtLimit()) {
        ca_context_destroy(context_);
        context_ = nullptr;
    }
}

// Without a sound device the waves stay silent for the rest of the run
// instead of asking again every cycle.
bool GtkSound::Open()
{
    snd_lib_error_set_handler(QuietSoundLibrary);
    if (ca_context_create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
        unavailable_ = true;
        return false;
    }
    ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Seastrip", CA_PROP_APPLICATION_ID, "seastrip",
                            nullptr);
    if (ca_context_open(context_) != CA_SUCCESS) {
        unavailable_ = true;
        return false;
    }
    return true;
}

}  // namespace seastrip
