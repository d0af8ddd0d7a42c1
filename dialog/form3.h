#pragma once
// The settings dialog's logic: what it loads when it opens, the checks of the
// interval fields, the Autorun box, Ok and Cancel. The window system is
// reached only through Form3View.
#include <cstdint>
#include <optional>
#include <vector>

#include "panel/panel_control.h"
#include "common/geometry.h"
#include "common/text.h"
#include "dialog/skin_picker.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

enum class IntervalField { Hours, Minutes };
enum class DialogCaption { Title, IntervalLabel, MinutesLabel, SkinsLabel, OkButton, CancelButton };

inline constexpr char16_t kApplicationTitle[] = u"Quorbel Alarm Clock";
inline constexpr char16_t kHoursMessage[] =
    u"The maximum allowable value is 4 hours, please re-enter a valid hour.";
inline constexpr char16_t kMinutesMessage[] =
    u"The maximum allowable value is 60 minutes, please re-enter a valid minutes.";

// "Autorun" after the user cleared the box: the entry stays removed, and
// neither start-up (which adds it when it finds 0) nor the next opening of
// the dialog (which adds it again when it finds 1) brings it back. Not
// stored while an entry of this program could not be removed, so the box
// shows it ticked, as it is.
inline constexpr int32_t kAutorunSwitchedOff = 2;

// The dialog's controls that have a place of their own.
enum class Form3Control {
  IntervalLabel,  // Label1 element 0
  Hours,
  Colon,  // Label3
  Minutes,
  MinutesLabel,  // Label2
  SkinsLabel,  // Label1 element 1
  Picture1,
  HScroll1,
  Check1,
  Command1,
  Cancel,
  Command2,
};

// The client area's size and each control's rectangle in it, as designed.
// Labels then take the width of their texts, and the interval row follows
// the interval caption (LayOutIntervalRow).
inline constexpr PixelSize kForm3ClientSize{304, 244};
PixelRect DesignedPlace(Form3Control control);

// The controls of one opening of the dialog. Form3 tells its own changes of
// a field apart from the user's, so a view may report every change.
class Form3View {
 public:
  virtual ~Form3View() = default;
  virtual Text FieldText(IntervalField field) const = 0;
  virtual void SetFieldText(IntervalField field, const Text& text) = 0;
  virtual bool AutorunChecked() const = 0;
  virtual void SetAutorunChecked(bool checked) = 0;
  virtual void SetCaption(DialogCaption which, const Text& text) = 0;
  // The field's name for assistive technology.
  virtual void NameField(IntervalField field, const Text& name) = 0;
  // Builds the thumbnail strip, one picture path per skin.
  virtual void ShowSkinStrip(const std::vector<Text>& thumbnail_paths) = 0;
  virtual void StartThumbnailTimer() = 0;
  // Draws the thumbnail again from its picture and SkinPicker's state.
  virtual void RedrawThumbnail(int index) = 0;
  // Scrolls the strip so the thumbnail is in view, and tells assistive
  // technology it is the one now selected.
  virtual void RevealThumbnail(int index) = 0;
  // A modal information box captioned with the application title.
  virtual void ShowMessage(const Text& message) = 0;
  // Asks for a picture file, starting in `directory`; empty when none is chosen.
  virtual Text ChooseBackgroundFile(const Text& directory) = 0;
  virtual void Close() = 0;
};

// What the program asks of the platform's settings dialog window, one
// instance at a time.
class Form3Window {
 public:
  virtual ~Form3Window() = default;
  // Opens the dialog and runs its load sequence, or brings an open one to
  // the front.
  virtual void Show() = 0;
  // Closes an open dialog as its title bar's close button does: nothing is
  // stored and the panel is not told.
  virtual void CloseWithoutStoring() = 0;
  virtual bool IsOpen() const = 0;
};

// Horizontal positions of the interval row, left to right.
struct IntervalRow {
  int hours_left;
  int colon_left;
  int minutes_left;
  int minutes_label_left;
  bool operator==(const IntervalRow&) const = default;
};
IntervalRow LayOutIntervalRow(int label_left, int label_width, int hours_width, int colon_width,
                              int minutes_width);

// Where a window of `size` lies centred on the screen's work area.
PixelRect CentredOn(const PixelRect& work_area, PixelSize size);

// Only Backspace and the digits reach the interval fields.
bool IntervalKeyPasses(char16_t code);

// What assistive technology calls the two interval fields, which have no
// label of their own. A caption after the minutes field that names both
// units, "(hours : minutes)" in any language, gives its two words; any
// other gives "Hours" and "Minutes".
struct IntervalFieldNames {
  Text hours;
  Text minutes;
  bool operator==(const IntervalFieldNames&) const = default;
};
IntervalFieldNames IntervalFieldNamesFrom(TextView minutes_caption);

class Form3 {
 public:
  Form3(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path);

  // The load sequence of a new opening; `view` stays in use until Close.
  void Load(Form3View& view);
  bool IsOpen() const { return view_ != nullptr; }

  // A field's text has changed. A change Form3 makes itself, while it does so,
  // is not the user's and is ignored here.
  void FieldChanged(IntervalField field);
  // The user entered the field. Focus coming back from the dialog's own
  // message box does not count: the rejected text must not become the saved one.
  void FieldFocused(IntervalField field);
  // The box's state has changed, by a click or by the load sequence.
  void AutorunClicked();
  void Ok();
  void Cancel();
  // The title bar's close button, or the program closing the dialog: nothing
  // is stored and the panel is not told.
  void CloseWithoutStoring();

  void ThumbnailClicked(int index);
  // An arrow key on the focused strip selects the next thumbnail as a click
  // would, and brings it into view.
  void ThumbnailKeyPressed(StripKey key);
  void TimerTick();
  // Browse: a path chosen in the file dialog becomes the background path.
  void BrowseClicked();
  // The file dialog starts in the executable's directory, given without its
  // trailing separator.
  Text BrowseDirectory() const;

  // While true, the dialog's window must stay: a message box of it is open.
  bool MessageOpen() const { return message_boxes_open_ > 0; }

  const SkinPicker& Picker() const { return picker_; }
  const Text& BackgroundPath() const { return background_; }

 private:
  std::optional<int16_t> FieldValue(IntervalField field) const;
  void SetField(IntervalField field, const Text& text);
  void CheckField(IntervalField field);
  void ShowMessage(const Text& message);
  Text& SavedText(IntervalField field);
  Text LanguageText(const char16_t* key, const char16_t* fallback) const;
  void LoadCaptions();
  void LoadSkinStrip();
  void Detach();

  ModReg& reg_;
  const ModIni& ini_;
  PanelControl& panel_;
  Text exe_path_;
  Form3View* view_ = nullptr;

  Text saved_hours_text_;
  Text saved_minutes_text_;
  Text language_;
  Text background_;
  int skin_count_ = 1;
  SkinPicker picker_;
  bool setting_field_ = false;
  int message_boxes_open_ = 0;
};

}  // namespace quorbel
