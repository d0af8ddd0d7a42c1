#include "dialog/form3.h"

#include "settings/settings_operation.h"

namespace quorbel {

namespace {

constexpr char16_t kSkinsSection[] = u"Skins";

int16_t FieldLimit(IntervalField field) { return field == IntervalField::Hours ? 4 : 60; }

const char16_t* LimitMessage(IntervalField field) {
  return field == IntervalField::Hours ? kHoursMessage : kMinutesMessage;
}

// What the dialog shows of the user's settings, read in one operation.
struct StoredValues {
  int32_t hours = 0;
  int32_t minutes = 0;
  Text background;
  bool autorun = false;
};

StoredValues ReadStoredValues(ModReg& reg) {
  const SettingsOperation operation(reg);
  StoredValues values;
  values.hours = reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours");
  values.minutes = reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Minutes");
  values.background = reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background");
  values.autorun = static_cast<int16_t>(reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Autorun")) == 1;
  return values;
}

}  // namespace

PixelRect DesignedPlace(Form3Control control) {
  switch (control) {
    case Form3Control::IntervalLabel: return {16, 24, 82, 13};
    case Form3Control::Hours: return {112, 24, 33, 19};
    case Form3Control::Colon: return {152, 24, 4, 13};
    case Form3Control::Minutes: return {168, 24, 33, 19};
    case Form3Control::MinutesLabel: return {208, 24, 37, 13};
    case Form3Control::SkinsLabel: return {16, 56, 35, 13};
    case Form3Control::Picture1: return {16, 80, 273, 57};
    case Form3Control::HScroll1: return {16, 135, 273, 17};
    case Form3Control::Check1: return {16, 168, 145, 17};
    case Form3Control::Command1: return {152, 200, 65, 25};
    case Form3Control::Cancel: return {224, 200, 65, 25};
    case Form3Control::Command2: return {496, 32, 49, 17};
  }
  return {};
}

IntervalRow LayOutIntervalRow(int label_left, int label_width, int hours_width, int colon_width,
                              int minutes_width) {
  IntervalRow row{};
  row.hours_left = label_left + label_width + 10;
  row.colon_left = row.hours_left + hours_width + 5;
  row.minutes_left = row.colon_left + colon_width + 5;
  row.minutes_label_left = row.minutes_left + minutes_width + 5;
  return row;
}

PixelRect CentredOn(const PixelRect& work_area, PixelSize size) {
  return {work_area.x + (work_area.width - size.width) / 2, work_area.y + (work_area.height - size.height) / 2,
          size.width, size.height};
}

bool IntervalKeyPasses(char16_t code) { return code == 8 || (code >= u'0' && code <= u'9'); }

IntervalFieldNames IntervalFieldNamesFrom(TextView minutes_caption) {
  Text caption = TrimSpaces(minutes_caption);
  if (caption.size() >= 2 && caption.front() == u'(' && caption.back() == u')') {
    caption = caption.substr(1, caption.size() - 2);
  }
  const size_t colon = caption.find(u':');
  if (colon == Text::npos || caption.find(u':', colon + 1) != Text::npos) return {u"Hours", u"Minutes"};
  IntervalFieldNames names{TrimSpaces(TextView(caption).substr(0, colon)),
                           TrimSpaces(TextView(caption).substr(colon + 1))};
  if (names.hours.empty() || names.minutes.empty()) return {u"Hours", u"Minutes"};
  return names;
}

Form3::Form3(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path)
    : reg_(reg), ini_(ini), panel_(panel), exe_path_(std::move(exe_path)) {}

void Form3::Load(Form3View& view) {
  view_ = &view;
  const StoredValues stored = ReadStoredValues(reg_);
  background_ = stored.background;
  if (view.AutorunChecked() != stored.autorun) {
    view.SetAutorunChecked(stored.autorun);
    AutorunClicked();
  }

  // A rejected value shows a message, which runs events of its own: no
  // operation on the settings is open meanwhile.
  SetField(IntervalField::Minutes, DecimalText(stored.minutes));
  SetField(IntervalField::Hours, DecimalText(stored.hours));
  if (!view_) return;
  // A stored minutes value rejected above leaves the field empty.
  SetField(IntervalField::Minutes,
           view_->FieldText(IntervalField::Minutes).empty() ? Text(u"0") : DecimalText(stored.minutes));
  if (!view_) return;

  const SettingsOperation operation(ini_);
  language_ = ini_.IniRead(kConfigFile, kSkinsSection, u"Language", u"TitleEN");
  LoadCaptions();
  LoadSkinStrip();
}

void Form3::LoadCaptions() {
  view_->SetCaption(DialogCaption::Title, LanguageText(u"SetTitle", u"Setting"));
  view_->SetCaption(DialogCaption::IntervalLabel, LanguageText(u"SetInterval", u"Alarm Interval:"));
  const Text minutes_caption = LanguageText(u"SetIntervalMinutes", u"Minutes");
  view_->SetCaption(DialogCaption::MinutesLabel, minutes_caption);
  const IntervalFieldNames names = IntervalFieldNamesFrom(minutes_caption);
  view_->NameField(IntervalField::Hours, names.hours);
  view_->NameField(IntervalField::Minutes, names.minutes);
  view_->SetCaption(DialogCaption::SkinsLabel, LanguageText(u"SetSkins", u"Skins"));
  view_->SetCaption(DialogCaption::OkButton, LanguageText(u"SetOk", u"Ok"));
  view_->SetCaption(DialogCaption::CancelButton, LanguageText(u"SetCancel", u"Cancel"));
}

void Form3::LoadSkinStrip() {
  const Text selected = ini_.IniRead(kConfigFile, kSkinsSection, u"Selected", u"1");
  const Text count_text = ini_.IniRead(kConfigFile, kSkinsSection, u"Count", u"1");
  auto thumbnail_name = [this](int skin_number) {
    return ini_.IniRead(kConfigFile, kSkinsSection, ThumbnailKey(skin_number), u"");
  };
  skin_count_ = SkinCount(count_text, [&](int skin_number) { return !thumbnail_name(skin_number).empty(); });

  std::vector<Text> paths;
  paths.reserve(static_cast<size_t>(skin_count_));
  for (int skin_number = 1; skin_number <= skin_count_; ++skin_number) {
    paths.push_back(ini_.IniFilePath(kConfigFile, kSkinsSection, ThumbnailKey(skin_number)));
  }
  picker_.Select(SelectedIndex(selected, skin_count_));
  view_->ShowSkinStrip(paths);
  view_->StartThumbnailTimer();
}

Text Form3::LanguageText(const char16_t* key, const char16_t* fallback) const {
  return ini_.IniRead(kConfigFile, language_, key, fallback);
}

std::optional<int16_t> Form3::FieldValue(IntervalField field) const {
  // Pasting can bring in what typing cannot; a negative interval is refused
  // along with one above the limit.
  const auto value = ParseInt16(view_->FieldText(field));
  if (!value || *value < 0 || *value > FieldLimit(field)) return std::nullopt;
  return value;
}

Text& Form3::SavedText(IntervalField field) {
  return field == IntervalField::Hours ? saved_hours_text_ : saved_minutes_text_;
}

void Form3::SetField(IntervalField field, const Text& text) {
  if (!view_ || view_->FieldText(field) == text) return;
  setting_field_ = true;
  view_->SetFieldText(field, text);
  setting_field_ = false;
  CheckField(field);
}

void Form3::FieldChanged(IntervalField field) {
  if (!setting_field_) CheckField(field);
}

void Form3::CheckField(IntervalField field) {
  if (!view_ || FieldValue(field)) return;
  ShowMessage(LimitMessage(field));
  // An empty saved text is rejected once more and then stays: setting the
  // empty field to empty text is no change.
  SetField(field, SavedText(field));
}

void Form3::ShowMessage(const Text& message) {
  ++message_boxes_open_;
  view_->ShowMessage(message);
  --message_boxes_open_;
}

void Form3::FieldFocused(IntervalField field) {
  if (view_ && !MessageOpen()) SavedText(field) = view_->FieldText(field);
}

void Form3::AutorunClicked() {
  if (!view_) return;
  if (view_->AutorunChecked()) {
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Autorun", 1);
    reg_.WriteAutostartEntry(exe_path_);
  } else if (reg_.DeleteAutostartEntry(exe_path_)) {
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Autorun", kAutorunSwitchedOff);
  }
}

void Form3::Ok() {
  if (!view_) return;
  // Both fields must hold valid numbers (one can be left empty by a rejected
  // stored value); the first that does not is reported and the dialog stays.
  for (IntervalField field : {IntervalField::Hours, IntervalField::Minutes}) {
    if (!FieldValue(field)) {
      ShowMessage(LimitMessage(field));
      return;
    }
  }
  reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", *FieldValue(IntervalField::Hours));
  reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", *FieldValue(IntervalField::Minutes));
  reg_.RegWriteString(RegRoot::CurrentUser, kSettingsKey, "Background", background_);
  ini_.IniWrite(kConfigFile, kSkinsSection, u"Selected", DecimalText(picker_.SelectedSkin() + 1));
  panel_.Update(true);
  Detach();
}

void Form3::Cancel() {
  if (!view_) return;
  Detach();
  panel_.Time3active();
}

void Form3::CloseWithoutStoring() {
  if (view_) Detach();
}

void Form3::Detach() {
  Form3View* view = view_;
  view_ = nullptr;
  view->Close();
}

void Form3::ThumbnailClicked(int index) {
  if (!view_ || index < 0 || index >= skin_count_) return;
  const int previous = picker_.SelectedSkin();
  picker_.Select(static_cast<int16_t>(index));
  view_->RedrawThumbnail(previous);
  view_->RedrawThumbnail(index);
}

void Form3::ThumbnailKeyPressed(StripKey key) {
  if (!view_) return;
  const auto next = ThumbnailAfterKey(picker_.SelectedSkin(), key, skin_count_);
  if (!next) return;
  ThumbnailClicked(*next);
  view_->RevealThumbnail(*next);
}

void Form3::TimerTick() {
  if (!view_) return;
  picker_.Tick(kThumbnailSize, kThumbnailSize);
  view_->RedrawThumbnail(picker_.SelectedSkin());
}

void Form3::BrowseClicked() {
  if (!view_) return;
  const Text path = view_->ChooseBackgroundFile(BrowseDirectory());
  if (!path.empty()) background_ = path;
}

Text Form3::BrowseDirectory() const { return exe_path_.substr(0, exe_path_.find_last_of(u"\\/")); }

}  // namespace quorbel
