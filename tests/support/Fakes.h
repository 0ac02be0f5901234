#pragma once
// Recording fakes of the shell's interfaces, for the tests of src/app and of
// the window: what was shown, in which order, with scripted answers.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/IniFile.h"
#include "app/RunFrame.h"
#include "app/VoWinApi.h"
#include "app/voMsg.h"

namespace kelvo::testing {

struct TShownBox {
  TMsgKind Kind;
  std::string Text;
  std::string Caption;
};

class TFakeMsg : public TVoMsg {
public:
  std::vector<TShownBox> Boxes;
  std::deque<bool> Answers; // answers of the next questions; No when empty

protected:
  bool ShowBox(TMsgKind kind, std::string_view text, std::string_view caption) override {
    Boxes.push_back({kind, std::string(text), std::string(caption)});
    if (kind != TMsgKind::Question || Answers.empty()) return false;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
};

class TFakeWinApi : public TVoWinApi {
public:
  int ProcessCalls = 0;
  std::function<void(int)> OnProcess; // called with the number of the call (1-based)
  std::string Clipboard;
  std::vector<std::pair<std::string, std::string>> Opened; // document, verb

  void ProcessMessages() override {
    ++ProcessCalls;
    if (OnProcess) OnProcess(ProcessCalls);
  }
  void SetClipboardText(const std::string& text) override { Clipboard = text; }
  bool ShellOpen(const std::string& document, std::string_view verb) override {
    Opened.emplace_back(document, std::string(verb));
    return true;
  }
};

class TFakeRunView : public TRunView {
public:
  std::vector<int> Gauge;
  std::vector<std::string> Status;
  std::vector<bool> Running; // each SetRunning in order
  // Every call in order, for tests of the sequence: "gauge 0", "status ...", "running 1".
  std::vector<std::string> Calls;

  void SetGauge(int percent) override {
    Gauge.push_back(percent);
    Calls.push_back("gauge " + std::to_string(percent));
  }
  void SetStatus(const std::string& text) override {
    Status.push_back(text);
    Calls.push_back("status " + text);
  }
  void SetRunning(bool running) override {
    Running.push_back(running);
    Calls.push_back(running ? "running 1" : "running 0");
  }
};

// Settings in memory that record every read ("section/key") in order.
class TRecordingIni : public TCustomIniFile {
public:
  std::map<std::string, std::string> Values; // "section/key" -> value
  mutable std::vector<std::string> Reads;
  std::vector<std::string> Writes; // "section/key=value"

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const override {
    const std::string name = Name(section, key);
    Reads.push_back(name);
    const auto it = Values.find(name);
    return it == Values.end() ? std::string(def) : it->second;
  }
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override {
    Writes.push_back(Name(section, key) + "=" + std::string(value));
    Values[Name(section, key)] = std::string(value);
    return true;
  }

private:
  static std::string Name(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
  }
};

// A frame over the three fakes.
struct TFakeShell {
  TFakeRunView View;
  TFakeWinApi Api;
  TFakeMsg Msg;
  TRunFrame Frame{View, Api, Msg};
};

} // namespace kelvo::testing
