#include "dialog/dialog_file.h"

#include <algorithm>

namespace quorbel {

namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool EqualsIgnoringCase(TextView a, TextView b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

Text ConvertFilter(TextView filter) {
  Text converted(filter);
  std::replace(converted.begin(), converted.end(), u'|', u'\0');
  if (converted.size() < kFileBufferChars) {
    converted.resize(kFileBufferChars, u'\0');
  } else {
    converted.append(2, u'\0');
  }
  return converted;
}

int32_t FilterIndexForName(TextView filter_text, TextView name) {
  TextView ext = name.substr(name.size() - std::min<size_t>(4, name.size()));
  if (!ext.empty() && ext.front() == u'.') ext.remove_prefix(1);
  const Text key = u"*." + Text(ext) + u'\0';
  int32_t count = 0;
  // `pos` is the index of the NUL before the piece compared, npos before the
  // first scan and once no NUL is left.
  size_t pos = 0;
  bool scanning = true;
  while (scanning) {
    pos = filter_text.find(u'\0', pos + 1);
    const size_t start = pos == TextView::npos ? 0 : pos + 1;
    scanning = pos != TextView::npos;
    if (EqualsIgnoringCase(filter_text.substr(start, key.size()), key)) break;
    ++count;
  }
  return count / 2 + 1;
}

Text FilterPatternAt(TextView filter_text, int selection) {
  TextView rest = filter_text;
  for (int i = 0; i < 2 * selection + 1; ++i) {
    const size_t nul = rest.find(u'\0');
    if (nul == TextView::npos) break;
    rest.remove_prefix(nul + 1);
  }
  Text pattern = CutAtNul(rest);
  if (pattern.find(u';') != Text::npos) return {};
  return pattern;
}

Text CutAtNul(TextView text) { return Text(text.substr(0, text.find(u'\0'))); }

Text CutExtensionForNewType(TextView name) {
  if (name.size() <= 4) return Text(name);
  const size_t dot = name.find(u'.', name.size() - 5);
  return Text(name.substr(0, dot));
}

Text DefaultExtension(TextView pattern) {
  return pattern.size() > 2 ? Text(pattern.substr(2)) : Text();
}

Text WithChosenExtension(TextView path, TextView chosen_pattern, bool name_has_extension) {
  if (chosen_pattern.size() <= 2 || name_has_extension) return Text(path);
  return Text(path) + Text(chosen_pattern.substr(1));
}

}  // namespace quorbel
