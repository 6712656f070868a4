#pragma once
#include "services/UserServices.h"

class TMainWindow;

// The user services of the running program: output and status go to the main window,
// questions and messages to the dialogs.
class TQtServices : public TUserServices {
 public:
  void SetMainWindow(TMainWindow* window) { Main = window; }
  TMainWindow* MainWindow() const { return Main; }

  void AddOutput(const std::string& line) override;
  void ShowStatus(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  bool QueryValues(const std::string& caption, std::vector<std::string>& lines) override;
  bool QueryChoices(const std::string& caption, std::vector<std::string>& lines,
                    const std::vector<std::string>& choices) override;
  std::string AskOpenFileName(const std::vector<std::string>& filter, const std::string& title) override;
  std::string AskSaveFileName(const std::vector<std::string>& filter, const std::string& title,
                              const std::string& name) override;
  bool AskYesNo(const std::string& question) override;
  bool AskSaveAnyway(const std::vector<std::string>& breaches) override;
  std::string GetClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void BeginProgress(const std::string& text, uint64_t total) override;
  void StepProgress(uint64_t done) override;
  void EndProgress() override;

 private:
  TMainWindow* Main = nullptr;
};
