#pragma once
#include <QStringList>
#include <string>
#include <vector>

class QWidget;

// The generic value dialog: "Name=Value" lines, one labelled field per line, offering the
// line's choices where `choices` names them (see TUserServices::QueryChoices).
// True on OK, with the lines edited; false on Cancel or close, lines unchanged.
bool QueryValues(const std::string& caption, std::vector<std::string>& lines,
                 const std::vector<std::string>& choices = {});
void ShowInformation(const std::string& text);
void ShowError(const std::string& text);
enum class TSaveAnswer { Save, Discard, Cancel };
// "Save changes to NAME?" before unsaved changes would be lost; closing the box cancels.
TSaveAnswer AskSaveChanges(const std::string& name);
// The question with Yes and No; closing the box says No.
bool AskYesNo(const std::string& question);
// The first breaches of the game-readiness check, "and N more", with "Save anyway" and Cancel;
// true for Save anyway. Closing the box cancels.
bool AskSaveAnyway(const std::vector<std::string>& breaches);
// Filters are "Description|*.a;*.b" entries (see ModelFilter()); empty on cancel. Each kind
// of file (by the first pattern) starts in the folder its last file was chosen in.
std::string AskOpenFileName(const std::vector<std::string>& filter, const std::string& title);
// A name typed without extension takes the first pattern's ("*.3do": ".3do"). The dialog
// starts with `name` filled in, in its folder when it has one.
std::string AskSaveFileName(const std::vector<std::string>& filter, const std::string& title,
                            const std::string& name = {});
// The same filters as Qt file dialogs take them: "Description (*.a *.b)".
QStringList QtNameFilters(const std::vector<std::string>& filter);
