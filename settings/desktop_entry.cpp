#include "settings/desktop_entry.h"

#include <algorithm>
#include <vector>

#include "settings/reg_text.h"
#include "settings/registry.h"
#include "settings/text_lines.h"

namespace quorbel {
namespace {

using Words = std::vector<std::string>;

constexpr std::string_view kGroup = "[Desktop Entry]";
// Characters that make a word of an Exec line need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
// Characters a backslash escapes inside the quotes of an Exec word.
constexpr std::string_view kQuoteEscaped = "\"`$\\";
// Field codes stand for files or URLs the desktop hands over; at log-in there
// are none, and the others name the entry itself.
constexpr std::string_view kFieldCodes = "fFuUdDnNickvm";

// The Run key's words: split at spaces outside double quotes, the quotes dropped.
Words SplitCommand(std::string_view command) {
  Words words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : command) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (c == ' ' && !quoted) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

// The Run key's form of the words: the program's path as the program itself
// writes it there, then the arguments, each in quotes when it holds a space.
std::string JoinCommand(const Words& words) {
  Text command = AutostartCommand(FromUtf8(words.front()));
  for (size_t i = 1; i < words.size(); ++i) {
    const Text word = FromUtf8(words[i]);
    const bool quote = word.empty() || word.find(u' ') != Text::npos;
    command += u' ';
    command += quote ? u'"' + word + u'"' : word;
  }
  return ToRegText(command);
}

std::string ExecWord(std::string_view word) {
  std::string percent_doubled;
  for (char c : word) percent_doubled += c == '%' ? std::string("%%") : std::string(1, c);
  if (!word.empty() && word.find_first_of(kReserved) == std::string_view::npos) {
    return percent_doubled;
  }
  std::string quoted = "\"";
  for (char c : percent_doubled) {
    if (kQuoteEscaped.find(c) != std::string_view::npos) quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// The string-value escape comes on top of the quoting: so a backslash in a
// quoted word stands as four in the file.
std::string EscapeStringValue(std::string_view text) {
  std::string out;
  for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

std::string UnescapeStringValue(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    const char next = i + 1 < value.size() ? value[i + 1] : '\0';
    const std::string_view escapes = "s\\ntr";
    const size_t escape = escapes.find(next);
    if (value[i] != '\\' || next == '\0' || escape == std::string_view::npos) {
      out += value[i];
      continue;
    }
    out += " \\\n\t\r"[escape];
    ++i;
  }
  return out;
}

struct ExecWordText {
  std::string text;
  bool quoted = false;
};

// The words of an Exec line after its string-value escapes are undone;
// nothing for an unterminated quote.
std::optional<std::vector<ExecWordText>> SplitExec(std::string_view exec) {
  std::vector<ExecWordText> words;
  std::optional<ExecWordText> word;
  bool quoted = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (!quoted && c == ' ') {
      if (word) words.push_back(std::move(*word));
      word.reset();
      continue;
    }
    if (!word) word.emplace();
    if (c == '"') {
      quoted = !quoted;
      word->quoted = true;
    } else if (quoted && c == '\\' && i + 1 < exec.size() &&
               kQuoteEscaped.find(exec[i + 1]) != std::string_view::npos) {
      word->text += exec[++i];
    } else {
      word->text += c;
    }
  }
  if (quoted) return std::nullopt;
  if (word) words.push_back(std::move(*word));
  return words;
}

bool IsFieldCode(const ExecWordText& word) {
  return !word.quoted && word.text.size() == 2 && word.text[0] == '%' &&
         kFieldCodes.find(word.text[1]) != std::string_view::npos;
}

std::string UndoPercentDoubling(std::string_view word) {
  std::string out;
  for (size_t i = 0; i < word.size(); ++i) {
    out += word[i];
    if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') ++i;
  }
  return out;
}

std::optional<Words> ExecCommandWords(std::string_view exec) {
  const auto split = SplitExec(UnescapeStringValue(exec));
  if (!split) return std::nullopt;
  Words words;
  for (const ExecWordText& word : *split) {
    if (!IsFieldCode(word)) words.push_back(UndoPercentDoubling(word.text));
  }
  return words;
}

struct EntryKeys {
  std::optional<std::string_view> exec;
  std::optional<std::string_view> hidden;
  std::optional<std::string_view> gnome_enabled;
};

// The keys of the "Desktop Entry" group that decide what starts; the first of
// each counts.
EntryKeys ReadEntryKeys(std::string_view file) {
  EntryKeys keys;
  bool inside = false;
  for (size_t at = TextStart(file); at < file.size();) {
    const TextLine line = TextLineAt(file, at);
    at = line.next;
    const std::string_view trimmed = TrimLineBlanks(line.Text(file));
    if (trimmed.empty() || trimmed.front() == '#') continue;
    if (trimmed.front() == '[') {
      inside = trimmed == kGroup;
      continue;
    }
    const size_t equals = trimmed.find('=');
    if (!inside || equals == std::string_view::npos) continue;
    const std::string_view key = TrimLineBlanks(trimmed.substr(0, equals));
    const std::string_view value = TrimLineBlanks(trimmed.substr(equals + 1));
    if (key == "Exec" && !keys.exec) keys.exec = value;
    if (key == "Hidden" && !keys.hidden) keys.hidden = value;
    if (key == "X-GNOME-Autostart-enabled" && !keys.gnome_enabled) keys.gnome_enabled = value;
  }
  return keys;
}

}  // namespace

std::optional<std::string> AutostartCommandOf(std::string_view desktop_file) {
  const EntryKeys keys = ReadEntryKeys(desktop_file);
  if (!keys.exec || keys.hidden == "true" || keys.gnome_enabled == "false") return std::nullopt;
  const auto words = ExecCommandWords(*keys.exec);
  if (!words || words->empty() || words->front().empty()) return std::nullopt;
  return JoinCommand(*words);
}

std::optional<std::string> AutostartDesktopEntry(std::string_view command) {
  const bool has_control = std::any_of(command.begin(), command.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  const Words words = SplitCommand(ToUtf8(FromRegText(command)));
  // The desktop entry rules forbid "=" in the program's name.
  if (has_control || words.empty() || words.front().find('=') != std::string::npos) {
    return std::nullopt;
  }
  std::string exec;
  for (const std::string& word : words) {
    if (!exec.empty()) exec += ' ';
    exec += ExecWord(word);
  }
  std::string file = "[Desktop Entry]\nType=Application\nName=Quorbel Alarm Clock\nExec=";
  file.append(EscapeStringValue(exec));
  // Once the program is removed, the desktop skips the entry instead of
  // failing to start it at every log-in.
  file.append("\nTryExec=").append(EscapeStringValue(words.front()));
  file.append("\nX-GNOME-Autostart-enabled=true\n");
  if (AutostartCommandOf(file) != std::optional<std::string>(command)) return std::nullopt;
  return file;
}

}  // namespace quorbel
