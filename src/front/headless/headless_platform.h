#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/twips.h"
#include "front/common/random_source.h"
#include "stage/stage.h"

namespace seastrip {

// Thrown where a real front would end the process: the Exit command or the
// message after a region failure. The headless runner stops there.
struct ProgramEnded : std::runtime_error {
    explicit ProgramEnded(const std::string& why) : std::runtime_error(why) {}
};

// The platform without a desktop: the software stage for the elements, a
// simulated clock, the shared random source (or a scripted one), check marks
// in memory, sounds recorded instead of played, and the settings file on disk
// (or in memory when no folder is given).
class HeadlessPlatform : public Platform {
public:
    struct Options {
        int screenWidthPx = 1024;
        int screenHeightPx = 768;
        float twipsPerPixelX = kTwipsPerPixel;
        float twipsPerPixelY = kTwipsPerPixel;
        int taskbarPx = 30;       // a bottom taskbar below the work area
        int captionPx = 22;       // the caption metric; the rest is full-screen client height
        std::string settingsFolder;  // empty: settings live in memory
        std::string baseName = "seastrip";
        std::string dataFolder = ".";
    };

    HeadlessPlatform();
    explicit HeadlessPlatform(const Options& options);

    Stage& GetStage() { return stage_; }
    const Options& GetOptions() const { return options_; }
    // The desktop changes under the program: a new screen size or taskbar.
    void ChangeScreen(int widthPx, int heightPx, int taskbarPx);

    // The simulated local clock, in seconds since midnight (wraps at 24 h).
    void SetClock(double secondsOfDay);
    double Clock() const { return clock_; }
    void AdvanceClock(double seconds);

    // Scripted random draws: served in order before the shared source's.
    void ScriptRandom(std::vector<double> draws);
    long RandomDraws() const { return randomDraws_; }

    // What the program did that a desktop would show or play.
    std::vector<std::string> soundsPlayed;
    int menuOpenings = 0;
    // What the next opening of the popup menu returns, as if the user chose it.
    MenuChoice nextMenuChoice;
    int versionDialogs = 0;
    bool timersStarted = false;
    std::string lastMessage;
    // In-memory settings files, by path, when no folder is given.
    std::map<std::string, std::string> memoryFiles;

    Element& Strip() override;
    Element& CreateElement(const ElementDesign& design) override;
    Element& CreateInstance(const Element& lowest) override;
    void DestroyElement(Element& element) override;

    float TwipsPerPixelX() const override { return options_.twipsPerPixelX; }
    float TwipsPerPixelY() const override { return options_.twipsPerPixelY; }
    float ScreenWidth() const override;
    int FullScreenClientHeight() const override;
    int CaptionHeight() const override { return options_.captionPx; }

    int LocalHour() const override;
    int LocalSecondsOfDay() const override;
    double Random() override;
    void PlaySoundAsync(const std::string& path) override { soundsPlayed.push_back(path); }

    std::string ReadProfileString(const std::string& section, const std::string& key,
                                  const std::string& path) override;
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path) override;
    std::string SettingsFolder() const override;
    std::string ExecutableBaseName() const override { return options_.baseName; }
    char PathSeparator() const override { return '/'; }
    std::string DataFolder() const override { return options_.dataFolder; }

    MenuChoice OpenPopupMenu() override;
    void ShowVersionDialog() override { ++versionDialogs; }
    [[noreturn]] void ShowMessageAndExit(const std::string& text) override;
    [[noreturn]] void ExitProgram() override;
    void StartTimers() override { timersStarted = true; }

private:
    Options options_;
    Stage stage_;
    double clock_ = 12 * 3600.0;
    RandomSource random_;
    std::vector<double> script_;
    size_t scriptPos_ = 0;
    long randomDraws_ = 0;
};

}  // namespace seastrip
