#include "settings/settings_files.h"

#include <gtest/gtest.h>

#include "settings/settings_operation.h"
#include "settings/tests/counting_files.h"

namespace quorbel {
namespace {

constexpr std::string_view kRegHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n";

// `text` followed by a comment line that makes it exactly `size` bytes.
std::string PaddedTo(std::string text, size_t size, std::string_view line_break) {
  text += "; " + std::string(size - text.size() - 2 - line_break.size(), 'x');
  return text.append(line_break);
}

// `text`, then `line` so that its first `inside` bytes lie within the bound,
// then more lines past it.
std::string StraddlingTheBound(std::string_view text, std::string_view line, size_t inside,
                               std::string_view line_break) {
  std::string file = PaddedTo(std::string(text), kSettingsFileBound - inside, line_break);
  file.append(line).append(line_break);
  return PaddedTo(file, kSettingsFileBound * 2, line_break);
}

int32_t Hours(ModReg& reg) { return reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours"); }
Text Title(const ModIni& ini) { return ini.IniRead(kConfigFile, u"TitleEN", u"Title", u"default"); }

TEST(SettingsOperation, ReadsEachFileOnceAndTheNextOperationReadsAgain) {
  LinuxStores stores;
  WriteBytes(stores.shipped, "[Skins]\r\nCount=6\r\nSBitmap(1)=a.bmp\r\n[TitleEN]\r\nTitle=Break\r\n");
  WriteBytes(stores.user, std::string(kUserConfigIniMark) + "\r\n[Skins]\r\nSelected=3\r\n");
  WriteBytes(stores.settings, std::string(kRegHeader) + "\"Hours\"=dword:00000002\n");
  {
    const SettingsOperation operation(stores.reg, stores.ini);
    for (int pass = 0; pass < 3; ++pass) {
      EXPECT_EQ(Hours(stores.reg), 2);
      EXPECT_EQ(stores.reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Minutes"), 0);
      EXPECT_EQ(stores.ini.IniRead(kConfigFile, u"Skins", u"Count", u""), u"6");
      EXPECT_EQ(stores.ini.IniRead(kConfigFile, u"Skins", u"Selected", u""), u"3");
      EXPECT_EQ(Title(stores.ini), u"Break");
      EXPECT_EQ(stores.ini.IniFilePath(kConfigFile, u"Skins", u"SBitmap(1)"), stores.ini.AppDir() + u"a.bmp");
    }
  }
  EXPECT_EQ(stores.counting.reads, (std::map<std::string, int>{
                                       {"Config.ini", 1}, {"user.ini", 1}, {"settings.reg", 1}}));

  // A change made by hand shows at the next operation.
  WriteBytes(stores.shipped, "[TitleEN]\r\nTitle=Rest\r\n");
  const SettingsOperation next(stores.ini);
  EXPECT_EQ(Title(stores.ini), u"Rest");
  EXPECT_EQ(Title(stores.ini), u"Rest");
  EXPECT_EQ(stores.counting.reads["Config.ini"], 2);
}

TEST(SettingsOperation, AWriteKeepsAnotherProgramsChangeAndIsSeenAfterwards) {
  LinuxStores stores;
  WriteBytes(stores.settings, std::string(kRegHeader) + "\"Hours\"=dword:00000002\n");
  const SettingsOperation operation(stores.reg);
  EXPECT_EQ(Hours(stores.reg), 2);

  FileRegistry other_program(stores.settings, {});
  ModReg(other_program).RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", 9);
  stores.reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 3);

  EXPECT_EQ(Hours(stores.reg), 3);
  EXPECT_EQ(stores.reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Minutes"), 9);
}

TEST(SettingsFileBound, AFileOfExactlyTheBoundIsWholeAndWritten) {
  LinuxStores stores;
  WriteBytes(stores.settings, PaddedTo(std::string(kRegHeader) + "\"Hours\"=dword:00000002\n",
                                       kSettingsFileBound, "\n"));
  stores.reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 3);
  EXPECT_EQ(Hours(stores.reg), 3);
}

TEST(SettingsFileBound, PastItTheCompleteLinesAreReadAndNothingIsWritten) {
  LinuxStores stores;
  // Read whole, the cut line would say 2 hours: the last complete one says 1.
  const std::string reg = StraddlingTheBound(std::string(kRegHeader) + "\"Hours\"=dword:1\n",
                                             "\"Hours\"=dword:23", 15, "\n");
  WriteBytes(stores.settings, reg);
  EXPECT_EQ(Hours(stores.reg), 1);
  stores.reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 4);
  stores.reg.RegWriteString(RegRoot::CurrentUser, kSettingsKey, "Background", u"sky.png");
  EXPECT_EQ(ReadBytes(stores.settings), reg);

  const std::string user = StraddlingTheBound(std::string(kUserConfigIniMark) + "\r\n[Skins]\r\nSelected=2\r\n",
                                              "Selected=5", 10, "\r\n");
  WriteBytes(stores.user, user);
  EXPECT_EQ(stores.ini.IniRead(kConfigFile, u"Skins", u"Selected", u""), u"2");
  stores.ini.IniWrite(kConfigFile, u"Skins", u"Selected", u"4");
  EXPECT_EQ(ReadBytes(stores.user), user);
}

TEST(SettingsFileBound, AUtf16FileIsCutBetweenCharactersAndLines) {
  LinuxStores stores;
  // Two bytes a character after the byte-order mark: the title's line
  // starts 16 bytes before the bound.
  std::string text = PaddedTo("[TitleEN]\r\nRisk1=Pause\r\n", (kSettingsFileBound - 16) / 2, "\r\n");
  text = PaddedTo(text + "Title=Time for a break\r\n", kSettingsFileBound, "\r\n");
  std::string utf16 = "\xFF\xFE";
  for (const char c : text) utf16.append({c, '\0'});
  WriteBytes(stores.shipped, utf16);
  EXPECT_EQ(stores.ini.IniRead(kConfigFile, u"TitleEN", u"Risk1", u""), u"Pause");
  // Seven characters of the title lie within the bound; none of them is read.
  EXPECT_EQ(Title(stores.ini), u"default");
}

}  // namespace
}  // namespace quorbel
