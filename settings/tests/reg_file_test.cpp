#include "settings/reg_file.h"

#include <gtest/gtest.h>

#include "settings/tests/registry_contract.h"

namespace quorbel {
namespace {

constexpr std::string_view kKey = "Software\\QuorbelClock";

std::optional<RegValue> Read(std::string_view file, std::string_view name,
                             std::string_view key = kKey) {
  return ReadRegFileValue(file, RegRoot::CurrentUser, key, name);
}

std::string Write(std::string_view file, std::string_view name, const RegValue& value) {
  auto written = WriteRegFileValue(file, RegRoot::CurrentUser, kKey, name, value);
  EXPECT_TRUE(written.has_value()) << name;
  return written.value_or(std::string(file));
}

RegValue Sz(std::string text) { return RegValue{kRegSz, std::move(text)}; }
RegValue Dword(uint32_t value) { return RegValue{kRegDword, DwordBytes(value)}; }

TEST(RegFile, NewFileIsARegistryExportWithUtf8TextAndRegeditEscapes) {
  std::string file = Write("", "Hours", Dword(2));
  file = Write(file, "Background", Sz("C:\\Caf\xC3\xA9 \"1\".png"));
  file = Write(file, "Minutes", Dword(0xFFFFFFD3));
  EXPECT_EQ(file,
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n"
            "\"Hours\"=dword:00000002\n"
            "\"Background\"=\"C:\\\\Caf\xC3\xA9 \\\"1\\\".png\"\n"
            "\"Minutes\"=dword:ffffffd3\n");
  EXPECT_EQ(Read(file, "Background"), Sz("C:\\Caf\xC3\xA9 \"1\".png"));
  EXPECT_EQ(Read(file, "Minutes"), Dword(0xFFFFFFD3));

  const std::string machine =
      *WriteRegFileValue(file, RegRoot::LocalMachine, "Software\\X", "", Sz("v"));
  EXPECT_EQ(machine, file + "\n[HKEY_LOCAL_MACHINE\\Software\\X]\n@=\"v\"\n");
  EXPECT_EQ(ReadRegFileValue(machine, RegRoot::LocalMachine, "software\\x", ""), Sz("v"));
  EXPECT_FALSE(ReadRegFileValue(machine, RegRoot::CurrentUser, "Software\\X", ""));
}

TEST(RegFile, DataAQuotedStringOrADwordCannotCarryIsAHexList) {
  const std::vector<std::pair<RegValue, std::string>> cases = {
      {RegValue{kRegBinary, DwordBytes(7)}, "hex:07,00,00,00"},
      {RegValue{kRegDword, std::string("\x34\x12", 2)}, "hex(4):34,12"},
      {RegValue{kRegDword, ""}, "hex(4):"},
      {Sz(std::string("D:\\sky.jpg\0", 11)), "hex(1):44,3a,5c,73,6b,79,2e,6a,70,67,00"},
      {Sz("line\nbreak"), "hex(1):6c,69,6e,65,0a,62,72,65,61,6b"},
      // Not UTF-8: kept as the bytes it is.
      {Sz("\x81"), "hex(1):81"},
      {RegValue{0x2B, "\xFF"}, "hex(2b):ff"},
  };
  for (const auto& [value, data] : cases) {
    const std::string file = Write("", "V", value);
    EXPECT_NE(file.find("\n\"V\"=" + data + "\n"), std::string::npos) << file;
    EXPECT_EQ(Read(file, "v"), value) << data;
  }
}

TEST(RegFile, HandEditedFileReadsAsFarAsItMakesSense) {
  const std::string file =
      "\xEF\xBB\xBFREGEDIT4\r\n"
      "; my settings\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
      "\"Hours\"=dword:00000009\r\n"
      "[hkey_current_user\\software\\quorbelclock]\r\n"
      "  \"hours\" = DWORD:0000000A  \r\n"
      "\"Minutes\"=dword:xyz\r\n"
      "\"Autorun\"=dword:123456789\r\n"
      "\"Background\"=\"C:\\skins\\Caf\xC3\xA9.png\"\r\n"
      "\"Broken=\"x\"\r\n"
      "junk without a name\r\n"
      "\"Blob\"=hex:01,02,\\\r\n"
      "  03,04\r\n"
      "\"Bad\"=hex:01,zz\r\n"
      "\"Open\"=\"no end\r\n"
      "[HKEY_CLASSES_ROOT\\Software\\QuorbelClock]\r\n"
      "\"Minutes\"=dword:00000005\r\n"
      "[-HKEY_CURRENT_USER\\Software\\QuorbelClock]\r\n"
      "\"Autorun\"=dword:00000001\r\n";
  EXPECT_EQ(Read(file, "Hours"), Dword(10));
  EXPECT_FALSE(Read(file, "Minutes"));
  EXPECT_FALSE(Read(file, "Autorun"));
  EXPECT_EQ(Read(file, "Background"), Sz("C:\\skins\\Caf\xC3\xA9.png"));
  EXPECT_EQ(Read(file, "Blob"), (RegValue{kRegBinary, "\x01\x02\x03\x04"}));
  EXPECT_FALSE(Read(file, "Bad"));
  EXPECT_FALSE(Read(file, "Open"));
  EXPECT_EQ(Read(file, "Hours", "Software\\Other"), Dword(9));

  EXPECT_FALSE(Read("", "Hours"));
  EXPECT_FALSE(Read(std::string("\x00\xFF[\n\"", 5), "Hours"));
}

TEST(RegFile, LaterLinesWinUnlessTheirDataCannotBeRead) {
  const std::string file =
      "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Hours\"=dword:1\n\"Minutes\"=dword:2\n"
      "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"HOURS\"=dword:3\n\"Minutes\"=dword:\n";
  EXPECT_EQ(Read(file, "Hours"), Dword(3));
  EXPECT_EQ(Read(file, "Minutes"), Dword(2));

  // A write leaves one line, in the last one's place and spelling, so no
  // older line can come back.
  EXPECT_EQ(Write(file, "minutes", Dword(4)),
            "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Hours\"=dword:1\n"
            "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"HOURS\"=dword:3\n"
            "\"Minutes\"=dword:00000004\n");
  EXPECT_EQ(*DeleteRegFileValue(file, RegRoot::CurrentUser, kKey, "hours"),
            "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Minutes\"=dword:2\n"
            "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Minutes\"=dword:\n");
}

TEST(RegFile, WritesChangeOnlyTheirOwnLines) {
  const std::string file =
      "REGEDIT4\r\n\r\n; kept\r\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\r\n"
      "\"Hours\"=dword:00000001\r\n\"Blob\"=hex:01,\\\r\n  02\r\nodd line\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Next]\r\n\"Hours\"=dword:00000007";
  EXPECT_EQ(Write(file, "Hours", Dword(2)),
            "REGEDIT4\r\n\r\n; kept\r\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\r\n"
            "\"Hours\"=dword:00000002\r\n\"Blob\"=hex:01,\\\r\n  02\r\nodd line\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Next]\r\n\"Hours\"=dword:00000007");
  EXPECT_EQ(Write(file, "Blob", Sz("")),
            "REGEDIT4\r\n\r\n; kept\r\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\r\n"
            "\"Hours\"=dword:00000001\r\n\"Blob\"=\"\"\r\nodd line\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Next]\r\n\"Hours\"=dword:00000007");
  EXPECT_EQ(Write(file, "Autorun", Dword(1)),
            "REGEDIT4\r\n\r\n; kept\r\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\r\n"
            "\"Hours\"=dword:00000001\r\n\"Blob\"=hex:01,\\\r\n  02\r\nodd line\r\n"
            "\"Autorun\"=dword:00000001\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Next]\r\n\"Hours\"=dword:00000007");
  EXPECT_EQ(*WriteRegFileValue(file, RegRoot::CurrentUser, "Software\\Next", "Minutes", Dword(0)),
            file + "\r\n\"Minutes\"=dword:00000000\r\n");
  EXPECT_EQ(*WriteRegFileValue(file, RegRoot::CurrentUser, "Software\\New", "A", Dword(0)),
            file + "\r\n\r\n[HKEY_CURRENT_USER\\Software\\New]\r\n\"A\"=dword:00000000\r\n");
}

TEST(RegFile, ValueAddedAfterAListLeftOpenIsALineOfItsOwn) {
  const std::string file = "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Blob\"=hex:01,\\";
  const std::string written = Write(file, "Hours", Dword(2));
  EXPECT_EQ(written, file + "\n\"Hours\"=dword:00000002\n");
  EXPECT_EQ(Read(written, "Hours"), Dword(2));
  EXPECT_FALSE(Read(written, "Blob"));
}

TEST(RegFile, NamesThatCannotBeWrittenAsTheyAreAreRefused) {
  EXPECT_FALSE(WriteRegFileValue("", RegRoot::CurrentUser, kKey, "a\nb", Dword(1)));
  EXPECT_FALSE(WriteRegFileValue("", RegRoot::CurrentUser, "Software\tX", "a", Dword(1)));
  EXPECT_FALSE(WriteRegFileValue("", RegRoot::CurrentUser, kKey, "\x90", Dword(1)));
  EXPECT_FALSE(DeleteRegFileValue("[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"A\"=junk\n",
                                  RegRoot::CurrentUser, kKey, "A"));

  const std::string odd = Write("", "quote \" and \\ and ]", Dword(5));
  EXPECT_EQ(Read(odd, "QUOTE \" AND \\ AND ]"), Dword(5));
}

}  // namespace
}  // namespace quorbel
