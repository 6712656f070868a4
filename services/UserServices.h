#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the model, the file formats and the editing commands need of the user: messages,
// questions, file names, the clipboard and progress. The application answers with windows,
// the command-line tool and the tests without. What changed in the document reaches the
// windows through its events, not through here.
class TUserServices {
 public:
  virtual ~TUserServices() = default;

  virtual void AddOutput(const std::string& line) = 0;    // the output list
  // A material named by the model whose file is nowhere to be found, with the line that says
  // what came of it; a caller that reports many runs may name each once instead.
  virtual void MaterialNotFound(const std::string& /*name*/, const std::string& line) { AddOutput(line); }
  virtual void ShowStatus(const std::string& text) = 0;   // status panel 1, shown at once
  virtual void ShowError(const std::string& text) = 0;    // "Error" box
  virtual void ShowInformation(const std::string& text) = 0;  // "Information" box
  // Lines of "Name=Value"; on true the values were edited (an emptied value removes its line).
  virtual bool QueryValues(const std::string& caption, std::vector<std::string>& lines) = 0;
  // The same where some values are one of a few: `choices` holds each line's, "|" between
  // them ("0|1" is a yes or no), or nothing where any text goes. Without a dialog that could
  // offer them, they are asked as any text.
  virtual bool QueryChoices(const std::string& caption, std::vector<std::string>& lines,
                            const std::vector<std::string>& /*choices*/) {
    return QueryValues(caption, lines);
  }
  // Filters are "Description|*.a;*.b" entries; an empty answer means the user cancelled.
  virtual std::string AskOpenFileName(const std::vector<std::string>& filter, const std::string& title) = 0;
  // A name typed without extension takes the first pattern's. The question starts at `name`
  // (the file's present name, or what it would be called; empty for none).
  virtual std::string AskSaveFileName(const std::vector<std::string>& filter, const std::string& title,
                                      const std::string& name) = 0;
  // A question answered Yes or No; true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  // Before saving a model that the game would refuse, with every reason; true to save anyway.
  virtual bool AskSaveAnyway(const std::vector<std::string>& breaches) = 0;
  virtual std::string GetClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  // Long work: from Begin to its End the user sees that the program is busy and how much of
  // `total` is done, as Step last said. Work may nest inside other work; every Begin has its
  // End. The core calls these through TProgress (services/Progress.h), never directly.
  virtual void BeginProgress(const std::string& text, uint64_t total) = 0;
  virtual void StepProgress(uint64_t done) = 0;
  virtual void EndProgress() = 0;
};

