// Run by the installer over an installed copy:
//   QuorbelConfigUpgrade USERS SHIPPED OUT
// writes to OUT the new shipped Config.ini with what the user chose and added
// in USERS. Exit status 0 when OUT was written whole, 1 otherwise; the
// installer then keeps the user's file as it was.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "packaging/upgrade/config_upgrade.h"

namespace {

std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return bytes;
}

bool WriteWhole(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace

// Wide arguments: the installation folder may have any name.
int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 1;
  const auto users = ReadWhole(argv[1]);
  const auto shipped = ReadWhole(argv[2]);
  if (!users || !shipped) return 1;
  const auto upgraded = quorbel::UpgradeConfigIni(*users, *shipped);
  return upgraded && WriteWhole(argv[3], *upgraded) ? 0 : 1;
}
