#include "front/headless/headless_platform.h"

#include <cmath>
#include <utility>

#include "front/common/profile_file.h"
#include "front/common/profile_text.h"

namespace seastrip {
namespace {

constexpr double kDay = 24 * 3600.0;

}  // namespace

HeadlessPlatform::HeadlessPlatform() : HeadlessPlatform(Options{}) {}

HeadlessPlatform::HeadlessPlatform(const Options& options)
    : options_(options),
      stage_(options.screenWidthPx, options.screenHeightPx, options.twipsPerPixelX, options.twipsPerPixelY)
{
}

void HeadlessPlatform::ChangeScreen(int widthPx, int heightPx, int taskbarPx)
{
    options_.screenWidthPx = widthPx;
    options_.screenHeightPx = heightPx;
    options_.taskbarPx = taskbarPx;
    stage_.SetScreenSize(widthPx, heightPx);
}

void HeadlessPlatform::SetClock(double secondsOfDay)
{
    clock_ = std::fmod(secondsOfDay, kDay);
    if (clock_ < 0) clock_ += kDay;
}

void HeadlessPlatform::AdvanceClock(double seconds) { SetClock(clock_ + seconds); }

void HeadlessPlatform::ScriptRandom(std::vector<double> draws)
{
    script_ = std::move(draws);
    scriptPos_ = 0;
}

Element& HeadlessPlatform::Strip() { return stage_.Strip(); }
Element& HeadlessPlatform::CreateElement(const ElementDesign& design) { return stage_.CreateElement(design); }
Element& HeadlessPlatform::CreateInstance(const Element& lowest) { return stage_.CreateInstance(lowest); }
void HeadlessPlatform::DestroyElement(Element& element) { stage_.DestroyElement(element); }

float HeadlessPlatform::ScreenWidth() const
{
    return static_cast<float>(options_.screenWidthPx) * options_.twipsPerPixelX;
}

int HeadlessPlatform::FullScreenClientHeight() const
{
    return options_.screenHeightPx - options_.taskbarPx - options_.captionPx;
}

int HeadlessPlatform::LocalHour() const { return static_cast<int>(clock_ / 3600.0) % 24; }
int HeadlessPlatform::LocalSecondsOfDay() const { return static_cast<int>(clock_) % 86400; }

double HeadlessPlatform::Random()
{
    ++randomDraws_;
    if (scriptPos_ < script_.size()) return script_[scriptPos_++];
    return random_.Next();
}

std::string HeadlessPlatform::SettingsFolder() const
{
    return options_.settingsFolder.empty() ? std::string("/memory") : options_.settingsFolder;
}

std::string HeadlessPlatform::ReadProfileString(const std::string& section, const std::string& key,
                                                const std::string& path)
{
    if (options_.settingsFolder.empty()) {
        auto it = memoryFiles.find(path);
        if (it == memoryFiles.end()) return std::string();
        return ProfileTextGet(it->second, section, key).value_or(std::string());
    }
    return ReadProfileFile(path, section, key);
}

bool HeadlessPlatform::WriteProfileString(const std::string& section, const std::string& key,
                                          const std::string& value, const std::string& path)
{
    if (options_.settingsFolder.empty()) {
        memoryFiles[path] = ProfileTextSet(memoryFiles[path], section, key, value);
        return true;
    }
    return WriteProfileFile(path, section, key, value);
}

MenuChoice HeadlessPlatform::OpenPopupMenu()
{
    ++menuOpenings;
    return std::exchange(nextMenuChoice, MenuChoice{});
}

void HeadlessPlatform::ShowMessageAndExit(const std::string& text)
{
    lastMessage = text;
    throw ProgramEnded("message: " + text);
}

void HeadlessPlatform::ExitProgram() { throw ProgramEnded("exit chosen"); }

}  // namespace seastrip
