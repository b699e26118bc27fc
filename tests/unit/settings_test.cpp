#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "front/common/profile_file.h"
#include "front/common/profile_text.h"
#include "front/common/settings_place.h"
#include "shell/settings.h"
#include "front/headless/headless_platform.h"
#include "temp_files.h"

namespace seastrip::testing {
namespace {

TEST(SettingsTest, TheFileBesideTheFolderIsCreatedByTheFirstWriteAndValuesAreTrimmedAndTruncated)
{
    EXPECT_EQ(SettingsPath(HeadlessPlatform({.settingsFolder = "/opt/strip"})), "/opt/strip/seastrip.ini");
    EXPECT_EQ(SettingsPath(HeadlessPlatform({.settingsFolder = "/"})), "/seastrip.ini");

    TempFolder dir;
    HeadlessPlatform platform({.settingsFolder = dir.Path()});
    EXPECT_EQ(ReadSetting(platform, "Data", "Sound"), "");
    WriteSetting(platform, "Data", "Sound", "OFF");
    EXPECT_EQ(Slurp(dir.File("seastrip.ini")), "[Data]\nSound=OFF\n");
    EXPECT_EQ(ReadSetting(platform, "Data", "Sound"), "OFF");

    Spit(dir.File("seastrip.ini"), "[Data]\nSound=  OFF  \nOther=off\nLong=" + std::string(600, 'x') + "\n");
    EXPECT_EQ(ReadSetting(platform, "Data", "Sound"), "OFF");
    EXPECT_EQ(ReadSetting(platform, "Data", "Other"), "off") << "not case-folded";
    EXPECT_EQ(ReadSetting(platform, "Data", "Long"), std::string(510, 'x'));
    EXPECT_EQ(ReadSetting(platform, "data", "SOUND"), "OFF") << "names match without regard to case";
    EXPECT_EQ(ReadSetting(platform, "Other", "Sound"), "");
}

TEST(ProfileTextTest, WritesKeepEveryOtherLineAsItWasAndOddContentNeverConfusesTheReader)
{
    const std::string text = "; my notes\r\n[Window]\r\nX=5\r\n[data]\r\nVolume=3\r\nsound=ON\r\n\r\n[Tail]\r\nY=1";
    EXPECT_EQ(ProfileTextSet(text, "Data", "Sound", "OFF"),
              "; my notes\r\n[Window]\r\nX=5\r\n[data]\r\nVolume=3\r\nSound=OFF\r\n\r\n[Tail]\r\nY=1");
    // A new key goes after the section's last key, in the file's line ends.
    EXPECT_EQ(ProfileTextSet("[Data]\r\nVolume=3\r\n[Tail]\r\n", "Data", "Sound", "ON"),
              "[Data]\r\nVolume=3\r\nSound=ON\r\n[Tail]\r\n");
    // A new section is appended, after a missing final line end is supplied.
    EXPECT_EQ(ProfileTextSet("[Tail]\nY=1", "Data", "Sound", "ON"), "[Tail]\nY=1\n[Data]\nSound=ON\n");
    EXPECT_EQ(ProfileTextSet("[Data]\nVolume=3", "Data", "Sound", "ON"), "[Data]\nVolume=3\nSound=ON\n");
    // A file cut off after a carriage return keeps its last value intact.
    const std::string cut = ProfileTextSet("[Data]\r\nKey = v \r", "Data", "Sound", "ON");
    EXPECT_EQ(ProfileTextGet(cut, "Data", "Key"), "v");
    EXPECT_EQ(ProfileTextGet(cut, "Data", "Sound"), "ON");

    // Odd content never confuses the reader.
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(ProfileTextGet(bom + "[Data]\nSound=OFF\n", "Data", "Sound"), "OFF");
    EXPECT_EQ(ProfileTextGet("[Data]\r\nSound=OFF\r\n", "Data", "Sound"), "OFF");
    EXPECT_EQ(ProfileTextGet(std::string("\0\x01\xff[Data\n=\n[Data]\nSound\n Sound = OFF", 36), "Data", "Sound"), "OFF");
    EXPECT_EQ(ProfileTextGet("[Data]\nSound=OFF\n", "Dat", "Sound"), std::nullopt);
    EXPECT_EQ(ProfileTextGet(std::string(100000, '['), "Data", "Sound"), std::nullopt);
    EXPECT_EQ(ProfileTextSet(bom + "[Data]\nSound=ON\n", "Data", "Sound", "OFF"), bom + "[Data]\nSound=OFF\n");
}

// The settings of a program in dir/program, with dir/home/.config/seastrip
// for the fallback.
SettingsPlace PlaceOnDisk(const TempFolder& dir)
{
    return SettingsPlace(dir.File("program"), dir.File("home/.config/seastrip"), "seastrip.ini", '/',
                         {[](const std::string& path) { return std::filesystem::exists(path); },
                          [](const std::string& folder) { return std::filesystem::create_directories(folder); }});
}

TEST(SettingsPlaceTest, TheFileBesideAWritableProgramIsReadUntilAChoiceMustGoToTheFallbackWhichIsReadFromThenOn)
{
    // A program folder and a fallback folder that does not exist yet.
    TempFolder dir;
    std::filesystem::create_directory(dir.File("program"));
    SettingsPlace place = PlaceOnDisk(dir);
    const std::string beside = dir.File("program/seastrip.ini");
    const std::string fallback = dir.File("home/.config/seastrip/seastrip.ini");
    // Stores through the place, the program folder refusing when told to.
    auto store = [&](const std::string& value, bool besideRefuses) {
        return place.Write([&](const std::string& path) {
            return !(besideRefuses && path == beside) && WriteProfileFile(path, "Data", "Sound", value);
        });
    };
    auto read = [&] { return ReadProfileFile(place.Path(), "Data", "Sound"); };

    EXPECT_EQ(read(), "");
    ASSERT_TRUE(store("OFF", false));
    EXPECT_EQ(Slurp(beside), "[Data]\nSound=OFF\n");
    EXPECT_EQ(place.Path(), beside);
    EXPECT_EQ(read(), "OFF") << "the file beside counts, as a preset put there does";
    EXPECT_FALSE(std::filesystem::exists(dir.File("home"))) << "neither reading nor writing beside makes the fallback";

    // The program folder refuses from now on, as an installed copy's does.
    ASSERT_TRUE(store("ON", true));
    EXPECT_EQ(Slurp(fallback), "[Data]\nSound=ON\n");
    EXPECT_EQ(Slurp(beside), "[Data]\nSound=OFF\n") << "the preset is left alone";
    EXPECT_EQ(place.Folder(), dir.File("home/.config/seastrip"));
    EXPECT_EQ(read(), "ON") << "the user's own choice is read first from then on";

    // Once the fallback holds the choice, writes go there even where the
    // program folder would take them, so what is written is what is read.
    ASSERT_TRUE(store("OFF", false));
    EXPECT_EQ(read(), "OFF");
    EXPECT_EQ(Slurp(beside), "[Data]\nSound=OFF\n");
    EXPECT_EQ(Slurp(fallback), "[Data]\nSound=OFF\n");
}

// The fallback folder is there already (made by another program, or by the
// desktop's first login) but holds no settings file: the preset beside the
// program is what is read, and a write beside it still goes there.
TEST(SettingsPlaceTest, AFallbackFolderWithoutTheFileYetLeavesThePresetBesideTheProgramRead)
{
    TempFolder dir;
    std::filesystem::create_directories(dir.File("program"));
    std::filesystem::create_directories(dir.File("home/.config/seastrip"));
    Spit(dir.File("program/seastrip.ini"), "[Data]\nSound=OFF\n");
    SettingsPlace place = PlaceOnDisk(dir);

    EXPECT_EQ(place.Folder(), dir.File("program"));
    EXPECT_EQ(ReadProfileFile(place.Path(), "Data", "Sound"), "OFF");
    ASSERT_TRUE(place.Write([](const std::string& path) { return WriteProfileFile(path, "Data", "Sound", "ON"); }));
    EXPECT_EQ(Slurp(dir.File("program/seastrip.ini")), "[Data]\nSound=ON\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("home/.config/seastrip"))) << "the fallback stays empty";
}

TEST(ProfileFileTest, ALinkIsWrittenThroughAndAReadOnlyFileIsLeftAsItIs)
{
    namespace fs = std::filesystem;
    TempFolder dir;
    fs::create_directory(dir.File("real"));
    Spit(dir.File("real/kept.ini"), "[Data]\nSound=ON\n");
    fs::create_symlink("real/kept.ini", dir.File("seastrip.ini"));
    ASSERT_TRUE(WriteProfileFile(dir.File("seastrip.ini"), "Data", "Sound", "OFF"));
    EXPECT_TRUE(fs::is_symlink(dir.File("seastrip.ini"))) << "the link stays a link";
    EXPECT_EQ(Slurp(dir.File("real/kept.ini")), "[Data]\nSound=OFF\n");

    // Read-only even for root: the write fails and nothing about the file
    // changes, neither its bytes nor its permissions.
    Spit(dir.File("locked.ini"), "[Data]\nSound=ON\n");
    fs::permissions(dir.File("locked.ini"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(WriteProfileFile(dir.File("locked.ini"), "Data", "Sound", "OFF"));
    EXPECT_EQ(Slurp(dir.File("locked.ini")), "[Data]\nSound=ON\n");
    EXPECT_EQ(fs::status(dir.File("locked.ini")).permissions(), fs::perms::owner_read | fs::perms::group_read);

    // A writable file keeps its own permissions through the atomic replace.
    fs::permissions(dir.File("real/kept.ini"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteProfileFile(dir.File("real/kept.ini"), "Data", "Sound", "ON"));
    EXPECT_EQ(fs::status(dir.File("real/kept.ini")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(dir.Entries(), 3) << "no temporary file is left behind";
}

TEST(ProfileFileTest, ALeftoverTemporaryFileIsTakenOverByTheNextWriteAndNothingOutsideIsTouched)
{
    namespace fs = std::filesystem;
    // What a killed write may leave, or someone may put, at the temporary
    // file's name.
    const std::vector<std::pair<const char*, std::function<void(const std::string&, const std::string&)>>> leftovers = {
        {"half a file", [](const std::string& temp, const std::string&) { Spit(temp, "[Data]\nSou"); }},
        {"a read-only file",
         [](const std::string& temp, const std::string&) {
             Spit(temp, "x");
             fs::permissions(temp, fs::perms::owner_read);
         }},
        {"a link to another file",
         [](const std::string& temp, const std::string& other) { fs::create_symlink(other, temp); }},
    };
    for (const auto& [what, make] : leftovers) {
        TempFolder dir;
        const std::string file = dir.File("seastrip.ini");
        const std::string temp = TempPathFor(file);
        Spit(dir.File("other.txt"), "keep me");
        make(temp, dir.File("other.txt"));
        ASSERT_TRUE(WriteProfileFile(file, "Data", "Sound", "OFF")) << what;
        EXPECT_EQ(Slurp(file), "[Data]\nSound=OFF\n") << what;
        EXPECT_FALSE(fs::exists(fs::symlink_status(temp))) << what << " is still there";
        EXPECT_EQ(Slurp(dir.File("other.txt")), "keep me") << what;
        EXPECT_EQ(dir.Entries(), 2) << what;
        EXPECT_TRUE(WriteProfileFile(file, "Data", "Sound", "ON")) << what << " made the new file read-only";
    }
}

TEST(ProfileFileTest, KillsDuringSlowWritesLeaveTheFileWholeAndAtMostOneTemporaryFile)
{
    TempFolder dir;
    const std::string file = dir.File("seastrip.ini");
    // Near the largest settings file there is, so that every write takes a
    // while and a kill often lands in the middle of one.
    std::string big = "[Notes]\n";
    for (int i = 0; big.size() < kMaxProfileFileBytes - 4096; ++i) {
        big += "Line" + std::to_string(i) + "=" + std::string(100, 'n') + "\n";
    }
    Spit(file, big + "[Data]\nSound=ON\n");
    const std::string notes = ProfileTextGet(big, "Notes", "Line5000").value_or("");
    ASSERT_FALSE(notes.empty());

    // Kills until a few have landed inside a write (a temporary file is
    // there afterwards): each leaves the file whole, and the temporary
    // files never pile up.
    std::mt19937 random(7);
    int landed = 0;
    for (int round = 0; round < 300 && landed < 4; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 0;; ++n) WriteProfileFile(file, "Data", "Sound", n % 2 ? "ON" : "OFF");
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 20000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        ASSERT_LE(dir.Entries(), 2) << "round " << round << ": temporary files pile up";
        landed += dir.Entries() == 2;
        const std::string sound = ReadProfileFile(file, "Data", "Sound");
        EXPECT_TRUE(sound == "ON" || sound == "OFF") << "round " << round << ": '" << sound << "'";
        EXPECT_EQ(ReadProfileFile(file, "Notes", "Line5000"), notes) << "round " << round;
    }
    EXPECT_EQ(landed, 4) << "too few kills landed inside a write to tell";
    ASSERT_TRUE(WriteProfileFile(file, "Data", "Sound", "OFF"));
    EXPECT_EQ(dir.Entries(), 1) << "the next write clears what the kills left";
}

}  // namespace
}  // namespace seastrip::testing
