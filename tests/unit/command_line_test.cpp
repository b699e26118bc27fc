// Both desktops' command lines under one set of rules: the same monitor
// numbers, and anything unknown refused with one line naming it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "front/gtk/gtk_command_line.h"
#include "front/win32/win32_command_line.h"

namespace seastrip::testing {
namespace {

// A writable argv, as main receives it, with the null after the last.
struct Arguments {
    explicit Arguments(std::vector<std::string> words) : words_(std::move(words))
    {
        words_.insert(words_.begin(), "seastrip");
        for (std::string& word : words_) pointers_.push_back(word.data());
        pointers_.push_back(nullptr);
        argc = static_cast<int>(words_.size());
    }
    char** argv() { return pointers_.data(); }
    std::vector<std::string> Left() const { return {pointers_.begin() + 1, pointers_.begin() + argc}; }

    int argc;

private:
    std::vector<std::string> words_;
    std::vector<char*> pointers_;
};

CommandLine ParseLinux(const std::vector<std::string>& words)
{
    Arguments args(words);
    return TakeCommandLine(args.argc, args.argv());
}

struct Case {
    const char* what;
    std::vector<std::string> gtk;
    std::vector<std::string> win32;
    int monitor;          // when accepted; -1 for none given
    const char* mistake;  // a part of the one-line message; empty when accepted
    bool reserve = false;
};

TEST(CommandLineTest, BothDesktopsTakeTheSameMonitorNumbersAndRefuseWhatTheyDoNotKnow)
{
    const Case cases[] = {
        {"nothing", {}, {}, -1, ""},
        {"the first monitor", {"--monitor", "0"}, {"/monitor", "0"}, 0, ""},
        {"the last number, either spelling", {"--monitor=255"}, {"-MONITOR", "255"}, 255, ""},
        {"the last one given wins", {"--monitor", "2", "--monitor", "3"}, {"/monitor", "2", "/Monitor", "3"}, 3, ""},
        {"one past the last", {"--monitor", "256"}, {"/monitor", "256"}, -1, "'256'"},
        {"far past", {"--monitor", "99999999999"}, {"/monitor", "99999999999"}, -1, "from 0 to 255"},
        {"a sign", {"--monitor", "-1"}, {"/monitor", "-1"}, -1, "'-1'"},
        {"a plus", {"--monitor", "+1"}, {"/monitor", "+1"}, -1, "'+1'"},
        {"a number and more", {"--monitor=2x"}, {"/monitor", "2x"}, -1, "'2x'"},
        {"a space", {"--monitor", " 1"}, {"/monitor", " 1"}, -1, "' 1'"},
        {"an empty value", {"--monitor="}, {"/monitor", ""}, -1, "monitor"},
        {"no value", {"--monitor"}, {"/monitor"}, -1, "needs a monitor number"},
        {"an unknown option", {"--frobnicate"}, {"/frobnicate"}, -1, "frobnicate'"},
        {"a stray word", {"hello"}, {"hello"}, -1, "unknown argument 'hello'"},
        {"an unknown one after a good one", {"--monitor", "1", "-x"}, {"/monitor", "1", "-x"}, -1, "'-x'"},
        {"the other desktop's spelling", {"/monitor", "1"}, {"--monitor", "1"}, -1, "unknown argument"},
        {"a longer name", {"--monitors", "1"}, {"/monitors", "1"}, -1, "unknown argument"},
        {"the reserved row", {"--reserve"}, {"/reserve"}, -1, "", true},
        {"the reserved row and a monitor", {"--monitor", "1", "--reserve"}, {"-RESERVE", "/monitor", "1"}, 1, "", true},
        {"the reserved row takes no value", {"--reserve=yes"}, {"/reserve:yes"}, -1, "unknown argument"},
    };
    for (const Case& c : cases) {
        const CommandLine gtk = ParseLinux(c.gtk);
        const Win32CommandLine win32 = ParseWin32CommandLine(c.win32);
        // Refused with one line naming the mistake, or accepted with no word.
        for (const std::string& error : {gtk.error, win32.error}) {
            EXPECT_TRUE(*c.mistake ? error.find(c.mistake) != std::string::npos && error.find('\n') == std::string::npos
                                   : error.empty())
                << c.what << ": '" << error << "'";
        }
        if (*c.mistake) continue;
        EXPECT_EQ((std::pair{gtk.monitor.number.value_or(-1), gtk.reserve}), (std::pair{c.monitor, c.reserve})) << c.what;
        EXPECT_EQ((std::pair{win32.monitor, win32.reserve}), (std::pair{c.monitor, c.reserve})) << c.what;
    }
}

TEST(CommandLineTest, LinuxTakesItsOwnOptionsAndLeavesGtksInOrder)
{
    Arguments args({"--display", ":3", "--backend", "wayland", "--name=sea", "--monitor=1", "--class", "Sea",
                    "--g-fatal-warnings"});
    const CommandLine options = TakeCommandLine(args.argc, args.argv());
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.backend, Backend::Wayland);
    EXPECT_EQ(options.monitor.number, 1);
    EXPECT_FALSE(options.help);
    EXPECT_EQ(args.Left(),
              (std::vector<std::string>{"--display", ":3", "--name=sea", "--class", "Sea", "--g-fatal-warnings"}));
    EXPECT_EQ(args.argv()[args.argc], nullptr);

    const CommandLine second = ParseLinux({"--backend=x11", "-h"});
    EXPECT_EQ(second.backend, Backend::X11);
    EXPECT_TRUE(second.help);

    // A connector name instead of a number; the last --monitor given wins.
    const CommandLine named = ParseLinux({"--monitor", "2", "--monitor", "HDMI-1"});
    EXPECT_EQ(named.error, "");
    EXPECT_FALSE(named.monitor.number.has_value());
    EXPECT_EQ(named.monitor.name, "HDMI-1");
    EXPECT_TRUE(named.monitor.Given());
    EXPECT_FALSE(CommandLine{}.monitor.Given());

    // Bad values name their option; GTK's own need their value too.
    const std::vector<std::vector<std::string>> bad = {
        {"--backend", "mir"}, {"--backend"}, {"--backend=X11"}, {"--monitor=-HDMI"}, {"--display"}};
    for (const auto& words : bad) {
        const std::string error = ParseLinux(words).error;
        EXPECT_NE(error.find(words[0].substr(0, words[0].find('='))), std::string::npos) << words[0] << ": " << error;
    }
    // A refused command line leaves argv as it was.
    Arguments refused({"--display", ":3", "--frobnicate"});
    EXPECT_NE(TakeCommandLine(refused.argc, refused.argv()).error, "");
    EXPECT_EQ(refused.Left(), (std::vector<std::string>{"--display", ":3", "--frobnicate"}));
}

}  // namespace
}  // namespace seastrip::testing
