#include "settings/profile_file.h"

#include "common/ansi.h"
#include "settings/atomic_file.h"
#include "settings/profile.h"
#include "settings/profile_utf16.h"
#include "settings/text_lines.h"

namespace quorbel {
namespace {

std::string Encode(TextView text, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::Utf8WithBom ? ToUtf8(text) : ToAnsi(text);
}

Text Decode(std::string_view bytes, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::Utf8WithBom ? FromUtf8(bytes) : FromAnsi(bytes);
}

// The text the profile reader works on: a UTF-16 file's as UTF-8 (which
// starts with the UTF-8 byte-order mark then), any other file's bytes as
// they are; of a file cut at the bound, its complete lines.
class ProfileText {
 public:
  explicit ProfileText(SharedFile file) : file_(std::move(file)), utf16_(DecodeUtf16Profile(file_->bytes)) {}

  std::string_view Content() const {
    const std::string_view all = utf16_ ? std::string_view(utf16_->utf8) : std::string_view(file_->bytes);
    return file_->whole ? all : CompleteLines(all);
  }

 private:
  SharedFile file_;
  std::optional<Utf16Profile> utf16_;
};

}  // namespace

Text ProfileFile::Read(TextView path, TextView section, TextView key, TextView fallback) {
  return Find(path, section, key).value_or(Text(fallback));
}

std::optional<Text> ProfileFile::Find(TextView path, TextView section, TextView key) {
  const SharedFile file = files_.Read(PathFromText(path));
  if (!file) return std::nullopt;
  const ProfileText profile(file);
  const std::string_view text = profile.Content();
  const ProfileEncoding encoding = DetectProfileEncoding(text);
  const auto value = ReadProfileValue(text, Encode(section, encoding), Encode(key, encoding));
  if (!value) return std::nullopt;
  return Decode(*value, encoding);
}

std::optional<std::string> ProfileFile::FirstLine(TextView path) {
  const SharedFile file = files_.Read(PathFromText(path));
  if (!file) return std::nullopt;
  const ProfileText profile(file);
  const std::string_view text = profile.Content();
  return std::string(TextLineAt(text, TextStart(text)).Text(text));
}

bool ProfileFile::Write(TextView path, TextView section, TextView key, TextView value) {
  const auto file_path = PathFromText(path);
  const SharedFile file = files_.ReadCurrent(file_path);
  // A file that exists but cannot be read must not be replaced by one entry,
  // nor one past the bound by its first part.
  if (file ? !file->whole : !IsMissingFile(file_path)) return false;
  const std::string_view old_bytes = file ? std::string_view(file->bytes) : std::string_view();
  const auto utf16 = DecodeUtf16Profile(old_bytes);
  const std::string_view bytes = utf16 ? std::string_view(utf16->utf8) : old_bytes;
  const ProfileEncoding encoding = DetectProfileEncoding(bytes);
  auto new_bytes = WriteProfileValue(bytes, Encode(section, encoding), Encode(key, encoding),
                                     Encode(value, encoding));
  if (!new_bytes) return false;
  if (utf16) *new_bytes = EncodeUtf16Profile(*new_bytes, *utf16);
  if (file && *new_bytes == old_bytes) return true;
  const bool written = ReplaceWholeFile(file_path, *new_bytes);
  files_.Forget(file_path);
  return written;
}

}  // namespace quorbel
