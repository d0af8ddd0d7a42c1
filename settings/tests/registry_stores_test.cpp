#include "settings/file_registry.h"
#include "tests/support/memory_registry.h"
#include "settings/tests/registry_contract.h"
#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

struct MemoryStore {
  static constexpr bool kAddsStringTerminator = false;
  MemoryRegistry registry;
  RegistryBackend& backend() { return registry; }
  std::string key() { return std::string(kSettingsKey); }
  void DenyMachineWrites(bool deny) { registry.DenyMachineWrites(deny); }
};

struct FileStore {
  static constexpr bool kAddsStringTerminator = false;
  TempDir dir;
  FileRegistry registry{dir / "settings.reg", dir / "autostart" / "quorbel-clock.desktop"};
  MachineWriteDenial denial{registry};
  bool deny = false;
  RegistryBackend& backend() { return deny ? static_cast<RegistryBackend&>(denial) : registry; }
  std::string key() { return std::string(kSettingsKey); }
  void DenyMachineWrites(bool value) { deny = value; }
};

using PortableStores = ::testing::Types<MemoryStore, FileStore>;
INSTANTIATE_TYPED_TEST_SUITE_P(Portable, RegistryContract, PortableStores);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, AutostartContract, MemoryStore);

}  // namespace
}  // namespace quorbel
