#include "settings/profile_file.h"

#include "common/ansi.h"
#include "settings/atomic_file.h"
#include "settings/profile.h"
#include "settings/profile_utf16.h"

namespace quorbel {
namespace {

std::string Encode(TextView text, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::Utf8WithBom ? ToUtf8(text) : ToAnsi(text);
}

Text Decode(std::string_view bytes, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::Utf8WithBom ? FromUtf8(bytes) : FromAnsi(bytes);
}

// The bytes the profile reader and writer work on: a UTF-16 file's text as
// UTF-8 (which starts with the UTF-8 byte-order mark then), any other file
// as it is.
std::string ProfileBytes(std::string file, const std::optional<Utf16Profile>& utf16) {
  return utf16 ? utf16->utf8 : std::move(file);
}

}  // namespace

Text ProfileFile::Read(TextView path, TextView section, TextView key, TextView fallback) {
  return Find(path, section, key).value_or(Text(fallback));
}

std::optional<Text> ProfileFile::Find(TextView path, TextView section, TextView key) {
  const auto file = ReadWholeFile(PathFromText(path));
  if (!file) return std::nullopt;
  const std::string bytes = ProfileBytes(*file, DecodeUtf16Profile(*file));
  const ProfileEncoding encoding = DetectProfileEncoding(bytes);
  const auto value = ReadProfileValue(bytes, Encode(section, encoding), Encode(key, encoding));
  if (!value) return std::nullopt;
  return Decode(*value, encoding);
}

bool ProfileFile::Write(TextView path, TextView section, TextView key, TextView value) {
  const auto file_path = PathFromText(path);
  auto file = ReadWholeFile(file_path);
  // A file that exists but cannot be read must not be replaced by one entry.
  if (!file && !IsMissingFile(file_path)) return false;
  const std::string old_bytes = file ? std::move(*file) : std::string();
  const auto utf16 = DecodeUtf16Profile(old_bytes);
  const std::string bytes = ProfileBytes(old_bytes, utf16);
  const ProfileEncoding encoding = DetectProfileEncoding(bytes);
  auto new_bytes = WriteProfileValue(bytes, Encode(section, encoding), Encode(key, encoding),
                                     Encode(value, encoding));
  if (!new_bytes) return false;
  if (utf16) *new_bytes = EncodeUtf16Profile(*new_bytes, *utf16);
  if (file && *new_bytes == old_bytes) return true;
  return ReplaceWholeFile(file_path, *new_bytes);
}

}  // namespace quorbel
