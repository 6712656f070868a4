#pragma once
#include <string>
#include <vector>

#include "services/HeadlessServices.h"

// One message on standard error, each of its lines starting "zarn-cli: ", so that a script
// that gathers the errors of several programs can tell the tool's own.
[[gnu::format(printf, 1, 2)]] void Tell(const char* format, ...);

// The services of one zarn-cli run: messages go to standard error as they come, but the
// materials that are not found, which every command that reads or draws the model would
// name again, are named once, in one line when the run ends.
class TCliServices : public THeadlessServices {
 public:
  TCliServices() = default;
  TCliServices(const TCliServices&) = delete;
  TCliServices& operator=(const TCliServices&) = delete;
  ~TCliServices() override;
  void AddOutput(const std::string& line) override;
  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  void MaterialNotFound(const std::string& name, const std::string& line) override;
  // Saving prints the game check's findings first, which name every missing material.
  bool AskSaveAnyway(const std::vector<std::string>& breaches) override {
    NameMissingMaterials = false;
    return THeadlessServices::AskSaveAnyway(breaches);
  }
  // Off where the command names the missing materials itself (check, and a save's check).
  bool NameMissingMaterials = true;

 private:
  std::vector<std::string> Missing;  // in the order met, each once whatever its case
};
