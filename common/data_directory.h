#pragma once
// Where the Linux programs (the clock and its preview tool) find their data,
// decided from what the platform reports, so the choice is tested without it.
#include <filesystem>
#include <functional>

namespace quorbel {

inline constexpr char kDataSubdirectory[] = "../share/quorbel-clock";

// The executable's own directory when Config.ini lies beside it (the build
// tree), else the installed data under the prefix the executable lives in.
std::filesystem::path DataDirectory(const std::filesystem::path& exe_dir,
                                    const std::function<bool(const std::filesystem::path&)>& exists);

}  // namespace quorbel
