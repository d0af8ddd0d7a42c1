#include "packaging/upgrade/config_upgrade.h"

#include <algorithm>
#include <vector>

#include "settings/text_lines.h"

namespace quorbel {
namespace {

constexpr std::string_view kSkins = "Skins";
// More skins than anyone keeps: a larger count is a broken file.
constexpr int kMostSkins = 10000;

struct IniLine {
  std::string text;
  std::string section;
  std::string key;  // empty for headers, comments and blank lines
  std::string value;
};

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

IniLine ParseLine(std::string_view text, std::string& section) {
  IniLine line{std::string(text), {}, {}, {}};
  const std::string_view trimmed = TrimLineBlanks(text);
  if (trimmed.starts_with('[') && trimmed.find(']') != std::string_view::npos) {
    section = TrimLineBlanks(trimmed.substr(1, trimmed.find(']') - 1));
  } else if (const size_t equals = trimmed.find('='); !trimmed.starts_with(';') && equals != std::string_view::npos) {
    line.key = TrimLineBlanks(trimmed.substr(0, equals));
    line.value = Unquoted(TrimLineBlanks(trimmed.substr(equals + 1)));
  }
  line.section = section;
  return line;
}

std::vector<IniLine> ParseIni(std::string_view file) {
  std::vector<IniLine> lines;
  std::string section;
  for (size_t begin = TextStart(file); begin < file.size();) {
    const TextLine line = TextLineAt(file, begin);
    lines.push_back(ParseLine(line.Text(file), section));
    begin = line.next;
  }
  return lines;
}

bool HasSection(const std::vector<IniLine>& lines, std::string_view section) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const IniLine& line) { return SameAsciiName(line.section, section); });
}

// The first entry wins, as the platform's profile reader has it.
std::optional<std::string> ValueOf(const std::vector<IniLine>& lines, std::string_view section,
                                   std::string_view key) {
  for (const IniLine& line : lines) {
    if (!line.key.empty() && SameAsciiName(line.section, section) && SameAsciiName(line.key, key)) {
      return line.value;
    }
  }
  return std::nullopt;
}

// A whole positive number up to kMostSkins; 0 for anything else.
int SkinNumber(std::string_view text) {
  if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
      })) {
    return 0;
  }
  const int number = std::stoi(std::string(text));
  return number <= kMostSkins ? number : 0;
}

struct Skin {
  std::string thumbnail;
  std::string picture;
};

std::string ThumbnailKey(int number) { return "SBitmap(" + std::to_string(number) + ")"; }
std::string PictureKey(int number) { return "Bitmap" + std::to_string(number); }

// The skins 1 to "Count" in order; a number without a picture is no skin.
std::vector<std::optional<Skin>> SkinsOf(const std::vector<IniLine>& lines) {
  std::vector<std::optional<Skin>> skins;
  const int count = SkinNumber(ValueOf(lines, kSkins, "Count").value_or(""));
  for (int number = 1; number <= count; ++number) {
    const auto picture = ValueOf(lines, kSkins, PictureKey(number));
    if (!picture || picture->empty()) {
      skins.emplace_back();
      continue;
    }
    skins.push_back(Skin{ValueOf(lines, kSkins, ThumbnailKey(number)).value_or(""), *picture});
  }
  return skins;
}

// Paths as the file system compares them: "\" and "/" alike, any case.
bool SamePicture(std::string_view a, std::string_view b) {
  auto folded = [](char c) -> char {
    if (c == '/') return '\\';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return folded(x) == folded(y); });
}

class SkinsUpgrade {
 public:
  SkinsUpgrade(const std::vector<IniLine>& users, const std::vector<IniLine>& shipped) {
    for (const auto& skin : SkinsOf(shipped)) merged_.push_back(skin.value_or(Skin{}));
    shipped_count_ = static_cast<int>(merged_.size());
    for (const auto& skin : SkinsOf(users)) users_numbers_.push_back(skin ? NumberFor(*skin) : 0);
    const auto selected = ValueOf(users, kSkins, "Selected");
    if (selected) selected_ = Renumbered(*selected);
  }

  int Count() const { return static_cast<int>(merged_.size()); }
  const std::optional<std::string>& Selected() const { return selected_; }
  // The entries of the user's skins the new file does not ship.
  std::vector<std::string> AddedEntries() const {
    std::vector<std::string> entries;
    for (int number = shipped_count_ + 1; number <= Count(); ++number) {
      const Skin& skin = merged_[number - 1];
      entries.push_back(ThumbnailKey(number) + "=" + skin.thumbnail);
      entries.push_back(PictureKey(number) + "=" + skin.picture);
    }
    return entries;
  }

 private:
  int NumberFor(const Skin& skin) {
    for (size_t index = 0; index < merged_.size(); ++index) {
      if (SamePicture(merged_[index].picture, skin.picture)) return static_cast<int>(index) + 1;
    }
    merged_.push_back(skin);
    return Count();
  }
  std::string Renumbered(const std::string& selected) const {
    const int number = SkinNumber(selected);
    if (number == 0 || number > static_cast<int>(users_numbers_.size())) return selected;
    const int renumbered = users_numbers_[number - 1];
    return renumbered == 0 ? selected : std::to_string(renumbered);
  }

  std::vector<Skin> merged_;
  int shipped_count_ = 0;
  std::vector<int> users_numbers_;  // per user's skin, its number in the new file
  std::optional<std::string> selected_;
};

bool StartsWithByteOrderMark(std::string_view file) {
  return file.starts_with("\xEF\xBB\xBF") || file.starts_with("\xFF\xFE") || file.starts_with("\xFE\xFF");
}

// The shipped [Skins] with the user's choices set in place (or added at the
// section's end) and the user's own skins after the last shipped entry.
class SkinsSectionWriter {
 public:
  SkinsSectionWriter(const std::vector<IniLine>& users, const SkinsUpgrade& skins) {
    if (auto language = ValueOf(users, kSkins, "Language")) choices_.emplace_back("Language", *language);
    if (skins.Selected()) choices_.emplace_back("Selected", *skins.Selected());
    choices_.emplace_back("Count", std::to_string(skins.Count()));
    added_ = skins.AddedEntries();
  }

  std::vector<std::string> Write(const std::vector<IniLine>& shipped) {
    std::vector<std::string> out;
    const size_t end = EndOfSkinsEntries(shipped);
    for (size_t index = 0; index < shipped.size(); ++index) {
      out.push_back(Rewritten(shipped[index]));
      if (index + 1 == end) AppendRest(out);
    }
    if (end == 0) {
      out.push_back("[Skins]");
      AppendRest(out);
    }
    return out;
  }

 private:
  // One past the last line of [Skins] that is not blank; 0 without [Skins].
  static size_t EndOfSkinsEntries(const std::vector<IniLine>& lines) {
    size_t end = 0;
    for (size_t index = 0; index < lines.size(); ++index) {
      if (SameAsciiName(lines[index].section, kSkins) && !TrimLineBlanks(lines[index].text).empty()) {
        end = index + 1;
      }
    }
    return end;
  }
  std::string Rewritten(const IniLine& line) {
    if (line.key.empty() || !SameAsciiName(line.section, kSkins)) return line.text;
    for (auto& [key, value] : choices_) {
      if (!SameAsciiName(line.key, key) || value.empty()) continue;
      std::string text = line.key + "=" + value;
      value.clear();  // set once: a later duplicate keeps its text
      return text;
    }
    return line.text;
  }
  void AppendRest(std::vector<std::string>& out) {
    for (const auto& [key, value] : choices_) {
      if (!value.empty()) out.push_back(key + "=" + value);
    }
    out.insert(out.end(), added_.begin(), added_.end());
  }

  std::vector<std::pair<std::string, std::string>> choices_;
  std::vector<std::string> added_;
};

}  // namespace

std::optional<std::string> UpgradeConfigIni(std::string_view users, std::string_view shipped) {
  if (StartsWithByteOrderMark(users) || StartsWithByteOrderMark(shipped)) return std::nullopt;
  const std::vector<IniLine> user_lines = ParseIni(users);
  const std::vector<IniLine> shipped_lines = ParseIni(shipped);
  std::vector<std::string> out =
      SkinsSectionWriter(user_lines, SkinsUpgrade(user_lines, shipped_lines)).Write(shipped_lines);
  for (size_t index = 0; index < user_lines.size(); ++index) {
    const IniLine& line = user_lines[index];
    if (line.section.empty() || HasSection(shipped_lines, line.section)) continue;
    const bool header = line.key.empty() && (index == 0 || user_lines[index - 1].section != line.section);
    if (header && !out.empty() && !TrimLineBlanks(out.back()).empty()) out.emplace_back();
    out.push_back(line.text);
  }
  const std::string_view line_break = LineBreakOf(shipped, "\r\n");
  std::string file;
  for (const std::string& line : out) file += line + std::string(line_break);
  return file;
}

}  // namespace quorbel
