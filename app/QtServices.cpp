#include "app/QtServices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cstdio>

#include "app/Dialogs.h"
#include "app/MainWindow.h"
#include "view/Builder.h"

void TQtServices::AddOutput(const std::string& line) {
  if (Main)
    Main->AddOutput(line);
  else
    std::fprintf(stderr, "%s\n", line.c_str());
}

void TQtServices::ShowStatus(const std::string& text) {
  if (Main) Main->ShowStatus(text);
}

void TQtServices::ShowError(const std::string& text) { ::ShowError(text); }
void TQtServices::ShowInformation(const std::string& text) { ::ShowInformation(text); }

bool TQtServices::QueryValues(const std::string& caption, std::vector<std::string>& lines) {
  return ::QueryValues(caption, lines);
}

std::string TQtServices::AskOpenFileName(const std::vector<std::string>& filter, const std::string& title) {
  return ::AskOpenFileName(filter, title);
}

std::string TQtServices::AskSaveFileName(const std::vector<std::string>& filter) {
  return ::AskSaveFileName(filter);
}

std::string TQtServices::GetClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void TQtServices::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TQtServices::Redraw(bool rebuild) {
  if (TfraBuilder* frame = Main ? Main->Builder() : nullptr) frame->Redraw(rebuild);
}

void TQtServices::FillTree() {
  if (TfraBuilder* frame = Main ? Main->Builder() : nullptr; frame && frame->FillTree) frame->FillTree();
}

void TQtServices::UpdateProperties() {
  if (TfraBuilder* frame = Main ? Main->Builder() : nullptr; frame && frame->UpdateProperties)
    frame->UpdateProperties();
}

void TQtServices::FillMaterialList() {
  if (TfraBuilder* frame = Main ? Main->Builder() : nullptr; frame && frame->FillMaterialList)
    frame->FillMaterialList();
}
