#pragma once
// Stand-ins for the dialog's controls, Config.ini and the panel window that
// record what the dialog does to them, in order.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "panel/panel_control.h"
#include "common/text.h"
#include "dialog/form3.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "settings/mod_ini.h"

namespace quorbel {

using EventLog = std::vector<std::string>;

// Config.ini in memory, with every write logged; the tests set values of the
// one file the dialog reads.
class LoggedProfileStore : public testing::MemoryProfileStore {
 public:
  LoggedProfileStore(EventLog& log, Text config_path) : log_(log), path_(std::move(config_path)) {}
  bool Write(TextView path, TextView section, TextView key, TextView value) override {
    log_.push_back("ini " + ToUtf8(path) + " [" + ToUtf8(section) + "] " + ToUtf8(key) + "=" +
                   ToUtf8(value));
    return MemoryProfileStore::Write(path, section, key, value);
  }
  void Set(TextView section, TextView key, TextView value) {
    MemoryProfileStore::Set(path_, section, key, value);
  }

 private:
  EventLog& log_;
  Text path_;
};

// The in-memory registry, with every write logged.
class RecordingRegistry : public MemoryRegistry {
 public:
  explicit RecordingRegistry(EventLog& log) : log_(log) {}
  bool Set(RegRoot root, std::string_view key_path, std::string_view name,
           const RegValue& value) override {
    log_.push_back("reg set " + std::string(name));
    return MemoryRegistry::Set(root, key_path, name, value);
  }
  bool Delete(RegRoot root, std::string_view key_path, std::string_view name) override {
    log_.push_back("reg delete " + std::string(name));
    return MemoryRegistry::Delete(root, key_path, name);
  }

 private:
  EventLog& log_;
};

class RecordingPanel : public PanelControl {
 public:
  explicit RecordingPanel(EventLog& log) : log_(log) {}
  void ShowPanelManaul() override { log_.push_back("ShowPanelManaul"); }
  void Time3active() override { log_.push_back("Time3active"); }
  void Update(bool redraw) override { log_.push_back(redraw ? "Update(true)" : "Update(false)"); }

 private:
  EventLog& log_;
};

// The controls as a freshly opened dialog has them: both fields "0", the box
// clear. Like a real window it may report every change of a field's text
// (`field_changed`), and run events while its message box is open
// (`during_message`).
class FakeForm3View : public Form3View {
 public:
  explicit FakeForm3View(EventLog& log) : log_(log) {}
  Text FieldText(IntervalField field) const override { return fields.at(field); }
  void SetFieldText(IntervalField field, const Text& text) override {
    fields[field] = text;
    if (field_changed) field_changed(field);
  }
  bool AutorunChecked() const override { return autorun; }
  void SetAutorunChecked(bool checked) override { autorun = checked; }
  void SetCaption(DialogCaption which, const Text& text) override { captions[which] = text; }
  void ShowSkinStrip(const std::vector<Text>& paths) override { thumbnails = paths; }
  void StartThumbnailTimer() override { timer_running = true; }
  void RedrawThumbnail(int index) override { redrawn.push_back(index); }
  void RevealThumbnail(int index) override { revealed.push_back(index); }
  void NameField(IntervalField field, const Text& name) override { field_names[field] = name; }
  void ShowMessage(const Text& message) override {
    messages.push_back(message);
    log_.push_back("message");
    if (during_message) during_message();
  }
  Text ChooseBackgroundFile(const Text& directory) override {
    browse_directories.push_back(directory);
    return chosen_file;
  }
  void Close() override {
    closed = true;
    timer_running = false;
    log_.push_back("close");
  }

  std::map<IntervalField, Text> fields{{IntervalField::Hours, u"0"}, {IntervalField::Minutes, u"0"}};
  bool autorun = false;
  std::map<DialogCaption, Text> captions;
  std::vector<Text> thumbnails;
  std::vector<int> redrawn;
  std::vector<int> revealed;
  std::map<IntervalField, Text> field_names;
  std::vector<Text> messages;
  bool timer_running = false;
  bool closed = false;
  std::function<void(IntervalField)> field_changed;
  std::function<void()> during_message;
  Text chosen_file;
  std::vector<Text> browse_directories;

 private:
  EventLog& log_;
};

}  // namespace quorbel
