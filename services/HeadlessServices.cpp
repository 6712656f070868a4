#include "services/HeadlessServices.h"

void THeadlessServices::AddOutput(const std::string& line) { Output.push_back(line); }

void THeadlessServices::ShowError(const std::string& text) { Errors.push_back(text); }

void THeadlessServices::ShowInformation(const std::string& text) { Informations.push_back(text); }

bool THeadlessServices::QueryValues(const std::string& caption, std::vector<std::string>& lines) {
  Queries.push_back(caption);
  if (CancelQueries) return false;
  std::vector<std::string> edited;
  for (const std::string& line : lines) {
    const auto eq = line.find('=');
    const std::string name = line.substr(0, eq);
    const auto answer = Answers.find(name);
    if (answer == Answers.end()) {
      edited.push_back(line);
    } else if (!answer->second.empty()) {
      edited.push_back(name + "=" + answer->second);
    }
  }
  lines = edited;
  return true;
}

std::string THeadlessServices::NextFileName() {
  if (FileNames.empty()) return {};
  std::string name = FileNames.front();
  FileNames.erase(FileNames.begin());
  return name;
}

void THeadlessServices::BeginProgress(const std::string& text, uint64_t total) {
  ProgressBegun.push_back(text + "/" + std::to_string(total));
  ProgressTotals.push_back(total);
  LastDone = 0;
}

void THeadlessServices::StepProgress(uint64_t done) {
  if (ProgressTotals.empty() || done > ProgressTotals.back() || done < LastDone) ProgressMisused = true;
  LastDone = done;
}

void THeadlessServices::EndProgress() {
  if (ProgressTotals.empty()) {
    ProgressMisused = true;
    return;
  }
  ProgressTotals.pop_back();
  ++ProgressEnded;
  LastDone = 0;
}
