#include "app/sound_canberra.h"

#include <canberra.h>
#include <dlfcn.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "app/wav_length.h"
#include "common/native_path.h"
#include "common/regular_file.h"

namespace quorbel {
namespace {

// Only a regular file is played: a FIFO in the sound's place would hold the
// program up until something wrote to it.
std::optional<uint32_t> PlayLengthOf(const std::string& file) {
  if (!IsReadableFile(file)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return WavPlayLengthMs(in);
}

struct LibraryCloser {
  void operator()(void* library) const { dlclose(library); }
};

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// libcanberra, opened for one chime. The program idles for most of an
// hour between chimes; linked for good, the library, its decoders and its
// sound server driver would stay in memory all that time.
class Canberra {
 public:
  // Nothing when the library is not installed: the chime is then silent.
  static std::optional<Canberra> Open() {
    std::unique_ptr<void, LibraryCloser> library(dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL));
    if (!library) return std::nullopt;
    Canberra canberra(std::move(library));
    if (!canberra.ResolveAll()) return std::nullopt;
    return canberra;
  }

  decltype(&ca_context_create) context_create = nullptr;
  decltype(&ca_context_destroy) context_destroy = nullptr;
  decltype(&ca_context_change_props) context_change_props = nullptr;
  decltype(&ca_context_play_full) context_play_full = nullptr;
  decltype(&ca_proplist_create) proplist_create = nullptr;
  decltype(&ca_proplist_sets) proplist_sets = nullptr;
  decltype(&ca_proplist_destroy) proplist_destroy = nullptr;

 private:
  explicit Canberra(std::unique_ptr<void, LibraryCloser> library) : library_(std::move(library)) {}
  bool ResolveAll() {
    void* l = library_.get();
    return Resolve(l, "ca_context_create", context_create) && Resolve(l, "ca_context_destroy", context_destroy) &&
           Resolve(l, "ca_context_change_props", context_change_props) &&
           Resolve(l, "ca_context_play_full", context_play_full) &&
           Resolve(l, "ca_proplist_create", proplist_create) && Resolve(l, "ca_proplist_sets", proplist_sets) &&
           Resolve(l, "ca_proplist_destroy", proplist_destroy);
  }

  std::unique_ptr<void, LibraryCloser> library_;
};

// The server's end-of-sound report, which arrives on libcanberra's own
// thread.
struct SoundEnd {
  std::mutex mutex;
  std::condition_variable reported;
  bool ended = false;

  static void Report(ca_context*, uint32_t, int, void* self) {
    auto* end = static_cast<SoundEnd*>(self);
    {
      const std::lock_guard lock(end->mutex);
      end->ended = true;
    }
    end->reported.notify_all();
  }
};

// One chime's context; destroying it cancels what still plays and stops
// the reports.
class Chime {
 public:
  explicit Chime(const Canberra& canberra) : canberra_(canberra) {
    if (canberra_.context_create(&context_) != CA_SUCCESS) context_ = nullptr;
    if (context_) canberra_.context_change_props(context_, CA_PROP_APPLICATION_NAME, "Quorbel Alarm Clock", nullptr);
  }
  ~Chime() {
    if (context_) canberra_.context_destroy(context_);
  }
  Chime(const Chime&) = delete;
  Chime& operator=(const Chime&) = delete;

  bool Start(const std::string& file, SoundEnd& end) {
    ca_proplist* props = nullptr;
    if (!context_ || canberra_.proplist_create(&props) != CA_SUCCESS) return false;
    canberra_.proplist_sets(props, CA_PROP_MEDIA_FILENAME, file.c_str());
    // Streamed, not kept in the server's sample cache.
    canberra_.proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    const bool started = canberra_.context_play_full(context_, 1, props, &SoundEnd::Report, &end) == CA_SUCCESS;
    canberra_.proplist_destroy(props);
    return started;
  }

 private:
  const Canberra& canberra_;
  ca_context* context_ = nullptr;
};

}  // namespace

void CanberraSound::PlaySync(const Text& path) {
  const std::string file = ToUtf8(SlashPath(path));
  const auto length = PlayLengthOf(file);
  if (!length || *length == 0) return;
  const std::optional<Canberra> canberra = Canberra::Open();
  if (!canberra) return;
  SoundEnd end;  // outlives the chime, which reports to it
  Chime chime(*canberra);
  if (!chime.Start(file, end)) return;
  std::unique_lock lock(end.mutex);
  end.reported.wait_for(lock, std::chrono::milliseconds(*length), [&] { return end.ended; });
}

}  // namespace quorbel
