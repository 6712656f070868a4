#include "app/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <cstdio>

#include "app/Dialogs.h"
#include "app/MainWindow.h"
#include "app/StatusProgress.h"
#include "view/Builder.h"

namespace {
// A dialog that long work puts up (a read error, say) gets the normal pointer while it is up.
class TDialogPointer {
 public:
  TDialogPointer() : Busy(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor) {
    if (Busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~TDialogPointer() {
    if (Busy) QApplication::restoreOverrideCursor();
  }
  TDialogPointer(const TDialogPointer&) = delete;
  TDialogPointer& operator=(const TDialogPointer&) = delete;

 private:
  const bool Busy;
};
}  // namespace

void TQtServices::AddOutput(const std::string& line) {
  if (Main)
    Main->AddOutput(line);
  else
    std::fprintf(stderr, "%s\n", line.c_str());
}

void TQtServices::ShowStatus(const std::string& text) {
  if (Main) Main->ShowStatus(text);
}

void TQtServices::ShowError(const std::string& text) {
  const TDialogPointer pointer;
  ::ShowError(text);
}

void TQtServices::ShowInformation(const std::string& text) {
  const TDialogPointer pointer;
  ::ShowInformation(text);
}

bool TQtServices::QueryValues(const std::string& caption, std::vector<std::string>& lines) {
  const TDialogPointer pointer;
  return ::QueryValues(caption, lines);
}

bool TQtServices::QueryChoices(const std::string& caption, std::vector<std::string>& lines,
                               const std::vector<std::string>& choices) {
  const TDialogPointer pointer;
  return ::QueryValues(caption, lines, choices);
}

std::string TQtServices::AskOpenFileName(const std::vector<std::string>& filter, const std::string& title) {
  const TDialogPointer pointer;
  return ::AskOpenFileName(filter, title);
}

std::string TQtServices::AskSaveFileName(const std::vector<std::string>& filter, const std::string& title,
                                         const std::string& name) {
  const TDialogPointer pointer;
  return ::AskSaveFileName(filter, title, name);
}

bool TQtServices::AskYesNo(const std::string& question) {
  const TDialogPointer pointer;
  return ::AskYesNo(question);
}

bool TQtServices::AskSaveAnyway(const std::vector<std::string>& breaches) {
  const TDialogPointer pointer;
  return ::AskSaveAnyway(breaches);
}

std::string TQtServices::GetClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void TQtServices::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TQtServices::BeginProgress(const std::string& text, uint64_t total) {
  if (Main) Main->Progress().Begin(text, total);
}

void TQtServices::StepProgress(uint64_t done) {
  if (Main) Main->Progress().Step(done);
}

void TQtServices::EndProgress() {
  if (Main) Main->Progress().End();
}
