#include "app/QueryForm.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QComboBox>
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
// accelerator of the row's field.
QString LabelText(const std::string& name) {
  QString text = QString::fromStdString(name);
  text.replace('&', "&&").replace('_', ' ');
  return text.isEmpty() ? text : "&" + text;
}

// A worked-out number reads better short ("12800" rather than "12800.0002861023"): six
// significant digits, without trailing zeros and, where it fits, without an exponent.
// Anything else shows as it is.
QString Shown(const QString& value) {
  bool number = false;
  const double v = value.toDouble(&number);
  if (!number || !std::isfinite(v) || v == 0) return value;
  const double size = std::fabs(v);
  if (size < 1e-4 || size >= 1e15) return QString::number(v, 'g', 6);
  const int decimals = std::max(0, 5 - static_cast<int>(std::floor(std::log10(size))));
  QString text = QString::number(v, 'f', decimals);
  if (text.contains('.')) {
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
  }
  return text;
}

constexpr const char* kFullValue = "fullValue";  // the value a number's field was given

// The field of one line at its place: a check box for a yes or no, its name beside it over the
// whole row; otherwise a label above a drop-down list of the choices offered, or above an edit
// field.
QWidget* MakeField(QDialog* dialog, const std::string& name, const QString& value,
                   const QStringList& offered, const TQueryRowPlace& place) {
  if (offered == QStringList{"0", "1"}) {
    auto* box = new QCheckBox(LabelText(name), dialog);
    box->setChecked(value == "1");
    box->setGeometry(TQueryLayout::Left, place.LabelTop, TQueryLayout::EditWidth,
                     place.EditTop + TQueryLayout::EditHeight - place.LabelTop);
    return box;
  }
  auto* label = new QLabel(LabelText(name), dialog);
  label->setObjectName(QString::fromStdString("lbl" + name));
  label->setGeometry(TQueryLayout::Left, place.LabelTop, TQueryLayout::EditWidth,
                     TQueryLayout::LabelHeight);
  QWidget* field = nullptr;
  if (!offered.isEmpty()) {
    auto* list = new QComboBox(dialog);
    list->addItems(offered);
    // A value the list does not hold stays the answer until another is chosen.
    if (!offered.contains(value, Qt::CaseInsensitive)) list->addItem(value);
    list->setCurrentIndex(list->findText(value, Qt::MatchFixedString));
    field = list;
  } else {
    const QString shown = Shown(value);
    auto* edit = new QLineEdit(shown, dialog);
    if (shown != value) edit->setProperty(kFullValue, value);
    field = edit;
  }
  label->setBuddy(field);
  field->setGeometry(TQueryLayout::Left, place.EditTop, TQueryLayout::EditWidth,
                     TQueryLayout::EditHeight);
  return field;
}

}  // namespace

TQueryDialog::TQueryDialog(const std::string& caption, const std::vector<std::string>& lines,
                     const std::vector<std::string>& choices, QWidget* parent)
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
    const QString value = eq == std::string::npos ? QString() : QString::fromStdString(lines[i].substr(eq + 1));
    const QStringList offered =
        i < choices.size() ? QString::fromStdString(choices[i]).split('|', Qt::SkipEmptyParts) : QStringList();
    QWidget* field = MakeField(this, name, value, offered, layout.Rows[i]);
    field->setObjectName(QString::fromStdString(name));
    if (!Fields.empty()) setTabOrder(Fields.back(), field);
    Fields.push_back(field);
  }
  if (!Fields.empty()) {
    setTabOrder(Fields.back(), btnOK);
    Fields.front()->setFocus();
  }
  setTabOrder(btnOK, btnCancel);
  btnOK->setGeometry(TQueryLayout::OKLeft, layout.ButtonTop, TQueryLayout::ButtonWidth, TQueryLayout::ButtonHeight);
  btnCancel->setGeometry(TQueryLayout::CancelLeft, layout.ButtonTop, TQueryLayout::ButtonWidth,
                         TQueryLayout::ButtonHeight);
  setFixedSize(TQueryLayout::ClientWidth, layout.ClientHeight);

  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TQueryDialog::ApplyTo(std::vector<std::string>& lines) const {
  for (const QWidget* field : Fields) {
    QString value;
    if (const auto* box = qobject_cast<const QCheckBox*>(field)) {
      value = box->isChecked() ? "1" : "0";
    } else if (const auto* list = qobject_cast<const QComboBox*>(field)) {
      value = list->currentText();
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(field)) {
      const QString full = edit->property(kFullValue).toString();
      value = !full.isEmpty() && edit->text() == Shown(full) ? full : edit->text();
    }
    SetValue(lines, field->objectName().toStdString(), value.toStdString());
  }
}

void TQueryDialog::keyPressEvent(QKeyEvent* event) {
  // Escape is not bound to Cancel: only the Cancel button and the close box dismiss the
  // dialog without its values.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
