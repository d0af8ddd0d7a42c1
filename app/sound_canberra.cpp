#include "app/sound_canberra.h"

#include <canberra.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>

#include "app/wav_length.h"
#include "common/native_path.h"
#include "common/regular_file.h"

namespace quorbel {
namespace {

struct ContextDeleter {
  void operator()(ca_context* context) const { ca_context_destroy(context); }
};
struct PropsDeleter {
  void operator()(ca_proplist* props) const { ca_proplist_destroy(props); }
};

// Only a regular file is played: a FIFO in the sound's place would hold the
// program up until something wrote to it.
std::optional<uint32_t> PlayLengthOf(const std::string& file) {
  if (!IsReadableFile(file)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return WavPlayLengthMs(in);
}

}  // namespace

struct CanberraSound::Impl {
  // The server's end-of-sound report arrives on libcanberra's own thread.
  std::mutex mutex;
  std::condition_variable ended;
  uint32_t finished_id = 0;
  uint32_t next_id = 0;
  // Destroyed first: it cancels what still plays and stops calling back.
  std::unique_ptr<ca_context, ContextDeleter> context;

  static void OnFinished(ca_context*, uint32_t id, int, void* self) {
    auto* impl = static_cast<Impl*>(self);
    {
      const std::lock_guard lock(impl->mutex);
      impl->finished_id = id;
    }
    impl->ended.notify_all();
  }
};

CanberraSound::CanberraSound() : impl_(std::make_unique<Impl>()) {
  ca_context* context = nullptr;
  if (ca_context_create(&context) != CA_SUCCESS) return;
  impl_->context.reset(context);
  ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Quorbel Alarm Clock", nullptr);
}

CanberraSound::~CanberraSound() = default;

void CanberraSound::PlaySync(const Text& path) {
  if (!impl_->context) return;
  const std::string file = ToUtf8(SlashPath(path));
  const auto length = PlayLengthOf(file);
  if (!length || *length == 0) return;

  ca_proplist* raw_props = nullptr;
  if (ca_proplist_create(&raw_props) != CA_SUCCESS) return;
  const std::unique_ptr<ca_proplist, PropsDeleter> props(raw_props);
  ca_proplist_sets(raw_props, CA_PROP_MEDIA_FILENAME, file.c_str());
  // Streamed, not kept in the server's sample cache.
  ca_proplist_sets(raw_props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");

  std::unique_lock lock(impl_->mutex);
  const uint32_t id = ++impl_->next_id;
  lock.unlock();
  if (ca_context_play_full(impl_->context.get(), id, raw_props, &Impl::OnFinished, impl_.get()) != CA_SUCCESS) {
    return;
  }
  lock.lock();
  impl_->ended.wait_for(lock, std::chrono::milliseconds(*length), [&] { return impl_->finished_id == id; });
}

}  // namespace quorbel
