#pragma once
#include <map>
#include <string>
#include <vector>

#include "services/UserServices.h"

// User services without windows, for the command-line tool and the tests: every message is
// recorded; queries take their answers from a table.
class THeadlessServices : public TUserServices {
 public:
  void AddOutput(const std::string& line) override;
  void ShowStatus(const std::string& text) override { Status.push_back(text); }
  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  bool QueryValues(const std::string& caption, std::vector<std::string>& lines) override;
  std::string AskOpenFileName(const std::vector<std::string>&, const std::string&) override { return NextFileName(); }
  std::string AskSaveFileName(const std::vector<std::string>&, const std::string&, const std::string&) override {
    return NextFileName();
  }
  bool AskYesNo(const std::string& question) override {
    YesNoAsked.push_back(question);
    return YesNoAnswer;
  }
  bool AskSaveAnyway(const std::vector<std::string>& breaches) override {
    SaveAnywayAsked.push_back(breaches.size());
    return SaveAnyway;
  }
  std::string GetClipboardText() override { return Clipboard; }
  void SetClipboardText(const std::string& text) override { Clipboard = text; }
  // Progress is recorded, never printed: zarn-cli's output stays what the commands say.
  void BeginProgress(const std::string& text, uint64_t total) override;
  void StepProgress(uint64_t done) override;
  void EndProgress() override;

  std::vector<std::string> Output, Status, Errors, Informations, Queries;
  // Answers by value name for the next queries; unknown names keep their defaults.
  std::map<std::string, std::string> Answers;
  bool CancelQueries = false;
  std::vector<std::string> FileNames;  // answers to file-name questions, first first
  bool YesNoAnswer = false;  // nothing is done unasked
  std::vector<std::string> YesNoAsked;
  bool SaveAnyway = true;
  std::vector<size_t> SaveAnywayAsked;  // how many breaches each question listed
  std::string Clipboard;
  // Every piece of work begun, as "text/total"; how many ended; the work still open.
  std::vector<std::string> ProgressBegun;
  int ProgressEnded = 0;
  std::vector<uint64_t> ProgressTotals;  // innermost last
  // Set by a step outside any work, beyond the total or going backwards.
  bool ProgressMisused = false;

 private:
  std::string NextFileName();
  uint64_t LastDone = 0;
};
