#pragma once
#include <QDialog>

#include "formats/ObjImportOptions.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct TObjImportChoice;

// Asked before an OBJ file is imported: the file's up axis, its scale, whether "usemtl"
// names the materials and whether each object becomes a node. Opens with the answers of the last import.
class TObjImportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TObjImportDialog(QWidget* parent = nullptr);

  // True on OK, with the options answered, which the settings then keep; a typed factor
  // that is no number above 0 raises EConvertError, and nothing is kept.
  static bool Execute(TObjImportOptions& options, QWidget* parent = nullptr);

  QRadioButton* rbnUpY;
  QRadioButton* rbnUpZ;
  QRadioButton* rbnFit;
  QRadioButton* rbnFactor;
  QLineEdit* edtFactor;
  QCheckBox* chkMaterials;
  QCheckBox* chkObjectsAsNodes;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 private:
  void Show(const TObjImportChoice& choice);
  TObjImportChoice Choice() const;
};
