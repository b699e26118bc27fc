#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "profile/profile_file.h"
#include "profile/profile_text.h"
#include "shell/settings.h"
#include "stage/headless_platform.h"

namespace seastrip::testing {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder()
    {
        path_ = fs::temp_directory_path() / ("seastrip-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Spit(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

HeadlessPlatform::Options InFolder(const std::string& folder)
{
    HeadlessPlatform::Options o;
    o.settingsFolder = folder;
    return o;
}

TEST(SettingsPathTest, OneSeparatorBetweenFolderAndName)
{
    HeadlessPlatform plain(InFolder("/opt/strip"));
    EXPECT_EQ(SettingsPath(plain), "/opt/strip/seastrip.ini");
    HeadlessPlatform root(InFolder("/"));
    EXPECT_EQ(SettingsPath(root), "/seastrip.ini");
}

TEST(SettingsTest, MissingFileReadsEmptyAndTheFirstWriteCreatesIt)
{
    TempFolder dir;
    HeadlessPlatform platform(InFolder(dir.Path().string()));
    EXPECT_EQ(ReadSetting(platform, "Data", "Sound"), "");
    WriteSetting(platform, "Data", "Sound", "OFF");
    EXPECT_EQ(Slurp(dir.File("seastrip.ini")), "[Data]\nSound=OFF\n");
    EXPECT_EQ(ReadSetting(platform, "Data", "Sound"), "OFF");
    WriteSetting(platform, "Data", "Sound", "ON");
    EXPECT_EQ(Slurp(dir.File("seastrip.ini")), "[Data]\nSound=ON\n");
}

TEST(SettingsTest, ValuesAreTrimmedAndTruncatedButNotCaseFolded)
{
    TempFolder dir;
    HeadlessPlatform platform(InFolder(dir.Path().string()));
    Spit(dir.File("seastrip.ini"), "[Data]\nSound=  OFF  \nOther=off\nLong=" + std::string(600, 'x') + "\n");
    EXPECT_EQ(ReadSetting(platform, "Data", "Sound"), "OFF");
    EXPECT_EQ(ReadSetting(platform, "Data", "Other"), "off");
    EXPECT_EQ(ReadSetting(platform, "Data", "Long"), std::string(510, 'x'));
    EXPECT_EQ(ReadSetting(platform, "data", "SOUND"), "OFF") << "names match without regard to case";
    EXPECT_EQ(ReadSetting(platform, "Other", "Sound"), "");
}

TEST(ProfileTextTest, WritesKeepEveryOtherLineAsItWas)
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
}

TEST(ProfileTextTest, OddContentNeverConfusesTheReader)
{
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(ProfileTextGet(bom + "[Data]\nSound=OFF\n", "Data", "Sound"), "OFF");
    EXPECT_EQ(ProfileTextGet("[Data]\r\nSound=OFF\r\n", "Data", "Sound"), "OFF");
    EXPECT_EQ(ProfileTextGet(std::string("\0\x01\xff[Data\n=\n[Data]\nSound\n Sound = OFF", 36), "Data", "Sound"), "OFF");
    EXPECT_EQ(ProfileTextGet("[Data]\nSound=OFF\n", "Dat", "Sound"), std::nullopt);
    EXPECT_EQ(ProfileTextGet(std::string(100000, '['), "Data", "Sound"), std::nullopt);
    EXPECT_EQ(ProfileTextSet(bom + "[Data]\nSound=ON\n", "Data", "Sound", "OFF"), bom + "[Data]\nSound=OFF\n");
}

TEST(ProfileFileTest, AWriteThatCannotHappenLosesNothing)
{
    TempFolder dir;
    // The settings path is a folder: nothing is read, nothing written.
    fs::create_directories(dir.File("seastrip.ini"));
    EXPECT_EQ(ReadProfileFile(dir.File("seastrip.ini"), "Data", "Sound"), "");
    EXPECT_FALSE(WriteProfileFile(dir.File("seastrip.ini"), "Data", "Sound", "OFF"));
    EXPECT_TRUE(fs::is_directory(dir.File("seastrip.ini")));

    // A file too large to be settings is left alone.
    const std::string huge(kMaxProfileFileBytes + 1, 'x');
    Spit(dir.File("huge.ini"), huge);
    EXPECT_FALSE(WriteProfileFile(dir.File("huge.ini"), "Data", "Sound", "OFF"));
    EXPECT_EQ(fs::file_size(dir.File("huge.ini")), huge.size());

    // A read-only folder keeps its old file; no temporary is left behind.
    fs::create_directories(dir.File("ro"));
    Spit(dir.File("ro/seastrip.ini"), "[Data]\nSound=ON\n");
    fs::permissions(dir.File("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir.File("ro").c_str(), W_OK) != 0) {  // root may write anyway
        EXPECT_FALSE(WriteProfileFile(dir.File("ro/seastrip.ini"), "Data", "Sound", "OFF"));
        EXPECT_EQ(Slurp(dir.File("ro/seastrip.ini")), "[Data]\nSound=ON\n");
    }
    fs::permissions(dir.File("ro"), fs::perms::owner_all);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.File("ro"))) ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(ProfileFileTest, ReplacesTheFileWholeAndKeepsOtherContent)
{
    TempFolder dir;
    const std::string path = dir.File("seastrip.ini");
    Spit(path, "[Other]\nKey=Value\n");
    EXPECT_TRUE(WriteProfileFile(path, "Data", "Sound", "OFF"));
    EXPECT_EQ(Slurp(path), "[Other]\nKey=Value\n[Data]\nSound=OFF\n");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 1u) << "no temporary file is left beside it";
}

}  // namespace
}  // namespace seastrip::testing
