#include "panel/panel_announcement.h"

namespace quorbel {
namespace {

bool EndsASentence(TextView text) {
  if (text.empty()) return false;
  const char16_t last = text.back();
  return last == u'.' || last == u'!' || last == u'?' || last == u'\u2026';
}

// "heading value." with the heading's own separator kept; nothing when the
// value is empty, as a heading alone says nothing.
void AddSentence(Text& out, TextView heading, TextView value) {
  const Text trimmed_value = TrimSpaces(value);
  if (trimmed_value.empty()) return;
  Text sentence = TrimSpaces(heading);
  if (!sentence.empty()) sentence += u' ';
  sentence += trimmed_value;
  if (!EndsASentence(sentence)) sentence += u'.';
  if (!out.empty()) out += u' ';
  out += sentence;
}

}  // namespace

Text ReminderAnnouncement(const PanelModel& model) {
  const PanelTexts& texts = model.texts;
  Text out;
  AddSentence(out, u"", texts.title);
  AddSentence(out, texts.use_times, model.use_time_text);
  if (model.alarm_level >= 1 && model.alarm_level <= 3) {
    const auto line = static_cast<size_t>(model.alarm_level - 1);
    AddSentence(out, texts.risk, texts.risk_dec[line]);
    AddSentence(out, texts.advice, texts.advice_dec[line]);
  }
  return out;
}

}  // namespace quorbel
