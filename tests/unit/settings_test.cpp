#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "front/common/profile_file.h"
#include "front/common/profile_text.h"
#include "shell/settings.h"
#include "front/headless/headless_platform.h"
#include "temp_files.h"

namespace seastrip::testing {
namespace {


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
    HeadlessPlatform platform(InFolder(dir.Path()));
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
    HeadlessPlatform platform(InFolder(dir.Path()));
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

TEST(ProfileFileTest, ReplacesTheFileWholeAndKeepsOtherContent)
{
    TempFolder dir;
    const std::string path = dir.File("seastrip.ini");
    Spit(path, "[Other]\nKey=Value\n");
    EXPECT_TRUE(WriteProfileFile(path, "Data", "Sound", "OFF"));
    EXPECT_EQ(Slurp(path), "[Other]\nKey=Value\n[Data]\nSound=OFF\n");
    EXPECT_EQ(dir.Entries(), 1) << "no temporary file is left beside it";
}

}  // namespace
}  // namespace seastrip::testing
