#include "settings/profile_file.h"

#include "common/ansi.h"
#include "settings/atomic_file.h"
#include "settings/profile.h"

namespace quorbel {
namespace {

std::string Encode(TextView text, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::Utf8WithBom ? ToUtf8(text) : ToAnsi(text);
}

Text Decode(std::string_view bytes, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::Utf8WithBom ? FromUtf8(bytes) : FromAnsi(bytes);
}

}  // namespace

Text ProfileFile::Read(TextView path, TextView section, TextView key, TextView fallback) {
  const auto file = ReadWholeFile(PathFromText(path));
  if (!file) return Text(fallback);
  const ProfileEncoding encoding = DetectProfileEncoding(*file);
  const auto value = ReadProfileValue(*file, Encode(section, encoding), Encode(key, encoding));
  return value ? Decode(*value, encoding) : Text(fallback);
}

bool ProfileFile::Write(TextView path, TextView section, TextView key, TextView value) {
  const auto file_path = PathFromText(path);
  auto file = ReadWholeFile(file_path);
  // A file that exists but cannot be read must not be replaced by one entry.
  if (!file && !IsMissingFile(file_path)) return false;
  const std::string old_bytes = file ? std::move(*file) : std::string();
  const ProfileEncoding encoding = DetectProfileEncoding(old_bytes);
  const auto new_bytes = WriteProfileValue(old_bytes, Encode(section, encoding),
                                           Encode(key, encoding), Encode(value, encoding));
  if (!new_bytes) return false;
  if (file && *new_bytes == old_bytes) return true;
  return ReplaceWholeFile(file_path, *new_bytes);
}

}  // namespace quorbel
