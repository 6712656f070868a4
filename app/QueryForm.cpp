#include "app/QueryForm.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/QueryLayout.h"
#include "settings/ValueList.h"

namespace {

// The caption a user reads for a value name: spaces for underscores, the first letter as
// accelerator of the row's edit field.
QString LabelText(const std::string& name) {
  QString text = QString::fromStdString(name);
  text.replace('&', "&&").replace('_', ' ');
  return text.isEmpty() ? text : "&" + text;
}

}  // namespace

TfrmQuery::TfrmQuery(const std::string& caption, const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("frmQuery");
  setWindowTitle(QString::fromStdString(caption));
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  setFont(font);

  const TQueryLayout layout = ComputeQueryLayout(static_cast<int>(lines.size()));
  btnOK = new QPushButton(tr("&OK"), this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  btnCancel = new QPushButton(tr("&Cancel"), this);
  btnCancel->setObjectName("btnCancel");
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string name = ValueName(lines[i]);
    const std::string::size_type eq = lines[i].find('=');
    auto* label = new QLabel(LabelText(name), this);
    label->setObjectName(QString::fromStdString("lbl" + name));
    auto* edit = new QLineEdit(eq == std::string::npos ? QString() : QString::fromStdString(lines[i].substr(eq + 1)), this);
    edit->setObjectName(QString::fromStdString(name));
    label->setBuddy(edit);
    const TQueryRowPlace& place = layout.Rows[i];
    label->setGeometry(TQueryLayout::Left, place.LabelTop, TQueryLayout::EditWidth, TQueryLayout::LabelHeight);
    edit->setGeometry(TQueryLayout::Left, place.EditTop, TQueryLayout::EditWidth, TQueryLayout::EditHeight);
    if (!Edits.empty()) setTabOrder(Edits.back(), edit);
    Edits.push_back(edit);
  }
  if (!Edits.empty()) {
    setTabOrder(Edits.back(), btnOK);
    Edits.front()->setFocus();
  }
  setTabOrder(btnOK, btnCancel);
  btnOK->setGeometry(TQueryLayout::OKLeft, layout.ButtonTop, TQueryLayout::ButtonWidth, TQueryLayout::ButtonHeight);
  btnCancel->setGeometry(TQueryLayout::CancelLeft, layout.ButtonTop, TQueryLayout::ButtonWidth,
                         TQueryLayout::ButtonHeight);
  setFixedSize(TQueryLayout::ClientWidth, layout.ClientHeight);

  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TfrmQuery::ApplyTo(std::vector<std::string>& lines) const {
  for (const QLineEdit* edit : Edits) SetValue(lines, edit->objectName().toStdString(), edit->text().toStdString());
}

void TfrmQuery::keyPressEvent(QKeyEvent* event) {
  // Escape is not bound to Cancel: only the Cancel button and the close box dismiss the
  // dialog without its values.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
