#include "settings/desktop_entry.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

std::string ExecLineOf(const std::string& entry) {
  const size_t start = entry.find("\nExec=");
  if (start == std::string::npos) return {};
  return entry.substr(start + 1, entry.find('\n', start + 1) - start - 1);
}

TEST(DesktopEntry, EntryStartsTheProgramAndReadsBackAsItsRunKeyCommand) {
  EXPECT_EQ(AutostartDesktopEntry("/usr/bin/quorbel-clock"),
            "[Desktop Entry]\nType=Application\nName=Quorbel Alarm Clock\n"
            "Exec=/usr/bin/quorbel-clock\nTryExec=/usr/bin/quorbel-clock\nX-GNOME-Autostart-enabled=true\n");
  EXPECT_NE(AutostartDesktopEntry("\"/home/a b/quorbel-clock\" /x")->find("\nTryExec=/home/a b/quorbel-clock\n"),
            std::string::npos)
      << "the program alone, unquoted";

  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"/home/a b/quorbel-clock\"", "Exec=\"/home/a b/quorbel-clock\""},
      {"/opt/100%/q", "Exec=/opt/100%%/q"},
      {"/opt/$HOME`x`/q", "Exec=\"/opt/\\\\$HOME\\\\`x\\\\`/q\""},
      // A backslash is escaped once for the quotes and again for the string.
      {"C:\\\\Clock.exe", "Exec=\"C:\\\\\\\\\\\\\\\\Clock.exe\""},
      {"/home/jos\xC3\xA9/q --flag", "Exec=/home/jos\xC3\xA9/q --flag"},
      {"/bin/q \"\" \"two words\"", "Exec=/bin/q \"\" \"two words\""},
  };
  for (const auto& [command, exec] : cases) {
    const auto entry = AutostartDesktopEntry(command);
    ASSERT_TRUE(entry.has_value()) << command;
    EXPECT_EQ(ExecLineOf(*entry), exec);
    EXPECT_EQ(AutostartCommandOf(*entry), command);
  }
}

TEST(DesktopEntry, CommandsThatWouldNotReadBackTheSameAreRefused) {
  for (const std::string& command :
       std::vector<std::string>{"", "   ", "\"\"", "/bin/q\n", std::string("/bin/q\0", 7),
                                "/opt/a=b/q", "a\"b c", " /bin/q", "/bin/q  --x", "/opt/\x81/q"}) {
    EXPECT_FALSE(AutostartDesktopEntry(command).has_value()) << command;
  }
}

TEST(DesktopEntry, HandMadeEntryReadsAsTheDesktopWouldStartIt) {
  EXPECT_EQ(AutostartCommandOf("\xEF\xBB\xBF# mine\r\n[Desktop Action x]\r\nExec=/bin/other\r\n"
                               "[Desktop Entry]\r\nExec = /bin/q %U --percent=%% \"%f\"  \r\n"
                               "Exec=/bin/second\r\n"),
            "/bin/q --percent=% %f");
  EXPECT_EQ(AutostartCommandOf("[Desktop Entry]\nExec=\"/a b/q\"\\s--x\nHidden=false\n"),
            "\"/a b/q\" --x");
  for (const char* entry : {"", "[Desktop Entry]\nType=Application\n",
                            "[Desktop Entry]\nExec=\"/bin/q\n", "[Desktop Entry]\nExec=%U\n",
                            "[Other]\nExec=/bin/q\n", "[Desktop Entry]\nExec=/bin/q\nHidden=true\n",
                            "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\nExec=/bin/q\n"}) {
    EXPECT_FALSE(AutostartCommandOf(entry).has_value()) << entry;
  }
}

}  // namespace
}  // namespace quorbel
