#include <algorithm>
#include <cstdlib>

#include "assetgen.h"

namespace seastrip::assetgen {
namespace {

constexpr int kRate = 22050;
constexpr int kLength = kRate * 26 / 10;     // 2.6 s
constexpr int kBreak = kRate * 95 / 100;     // the wave breaks at 0.95 s
constexpr int kCrashLead = kRate * 6 / 100;  // the crash swells for 60 ms before
constexpr int kCrashFall = kRate * 8 / 10;   // and dies away over 0.8 s
constexpr int kWashPeak = kBreak + kRate / 5;
constexpr int kOne = 1 << 15;  // envelopes and gains are Q15

// A fixed-seed xorshift generator: the same noise on every machine.
class Noise {
public:
    int32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<int32_t>(state_ >> 16) - 32768;
    }

private:
    uint32_t state_ = 0x2545F491u;
};

// One-pole low-pass; the coefficient is Q16, larger is brighter.
class LowPass {
public:
    int32_t Step(int32_t x, int64_t coefficient)
    {
        y_ += (static_cast<int64_t>(x) - y_) * coefficient >> 16;
        return static_cast<int32_t>(y_);
    }

private:
    int64_t y_ = 0;
};

// (num / den)^power as Q15, for 0 <= num <= den.
int64_t Ramp(int64_t num, int64_t den, int power)
{
    num = std::clamp<int64_t>(num, 0, den);
    int64_t v = kOne;
    for (int i = 0; i < power; ++i) {
        v = v * num / den;
    }
    return v;
}

// The roar of the water: quiet and dull while the wave rolls in, loud and
// bright where it breaks, then dulling as it runs back out.
int64_t BodyGain(int t)
{
    return t < kBreak ? Ramp(t, kBreak, 2) : Ramp(kLength - t, kLength - kBreak, 2);
}

int64_t BodyBrightness(int t)
{
    constexpr int64_t kDull = 1300;   // about 70 Hz
    constexpr int64_t kBright = 19000;  // about 1.4 kHz
    constexpr int64_t kAfter = 4000;  // about 220 Hz
    if (t < kBreak) {
        return kDull + (kBright - kDull) * Ramp(t, kBreak, 2) / kOne;
    }
    return kAfter + (kBright - kAfter) * Ramp(kLength - t, kLength - kBreak, 3) / kOne;
}

// The crash: a short hard burst of bright noise as the crest falls.
int64_t CrashGain(int t)
{
    if (t < kBreak) {
        return Ramp(t - (kBreak - kCrashLead), kCrashLead, 1);
    }
    return Ramp(kCrashFall - (t - kBreak), kCrashFall, 3);
}

// The wash: a fizzing hiss of foam on sand that lasts to the end.
int64_t WashGain(int t)
{
    if (t < kWashPeak) {
        return Ramp(t - (kBreak - kRate / 10), kWashPeak - (kBreak - kRate / 10), 1);
    }
    return Ramp(kLength - t, kLength - kWashPeak, 1);
}

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(tag[i]));
    }
}

}  // namespace

std::vector<uint8_t> MakeSurfWav()
{
    Noise noise;
    LowPass body1;
    LowPass body2;
    LowPass crashFilter;
    LowPass washSplit;
    LowPass bubbleGlide;
    int64_t bubbleTarget = kOne;

    std::vector<int64_t> mix(kLength);
    for (int t = 0; t < kLength; ++t) {
        const int32_t white = noise.Next();
        const int64_t brightness = BodyBrightness(t);
        const int64_t body = body2.Step(body1.Step(white, brightness), brightness);
        const int64_t crash = crashFilter.Step(white, 32000);
        const int64_t hiss = white - washSplit.Step(white, 16000);
        // The foam's hiss flutters as bubbles burst: a new level every 15 ms,
        // glided to so that it does not click.
        if (t % (kRate * 15 / 1000) == 0) {
            bubbleTarget = kOne / 2 + (noise.Next() + 32768) / 4;
        }
        const int64_t bubble = bubbleGlide.Step(static_cast<int32_t>(bubbleTarget), 300);

        int64_t v = body * BodyGain(t) / kOne * 2;
        v += crash * CrashGain(t) / kOne * 3 / 4;
        v += hiss * WashGain(t) / kOne * bubble / kOne / 2;
        mix[t] = v;
    }

    // Soft edges so that the sound starts and stops without a click.
    const int fadeIn = kRate / 50;
    const int fadeOut = kRate / 20;
    for (int t = 0; t < fadeIn; ++t) {
        mix[t] = mix[t] * t / fadeIn;
    }
    for (int t = 0; t < fadeOut; ++t) {
        mix[kLength - 1 - t] = mix[kLength - 1 - t] * t / fadeOut;
    }

    // Loud but clear of clipping: the highest peak at about 80 % of full scale.
    int64_t peak = 1;
    for (int64_t v : mix) {
        peak = std::max(peak, v < 0 ? -v : v);
    }
    constexpr int64_t kTarget = 26000;

    const uint32_t dataBytes = kLength * 2;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int64_t v : mix) {
        const auto sample = static_cast<int16_t>(v * kTarget / peak);
        Put16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

}  // namespace seastrip::assetgen
