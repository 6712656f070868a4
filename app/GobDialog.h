#pragma once
#include <QDialog>
#include <string>

#include "formats/Gob.h"

class QListWidget;
class QPushButton;

// The open-from-container dialog: the models of one .gob/.goo container in four columns.
class TGobDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TGobDialog(QWidget* parent = nullptr);

  // Shows the models of the container; true when the user accepted one that lies in the
  // container's "3do\" folder, which is then handed out. Raises EInOutError when the file
  // is no container ("Failed to load GOB/GOO '...'") or its directory is damaged.
  static bool Execute(const std::string& containerPath, TGobItem& item, QWidget* parent = nullptr);
  // The same for the animations of the container's "3do\key\" folder, the header, markers
  // and nodes of the one chosen shown beside the list.
  static bool ExecuteKey(const std::string& containerPath, TGobItem& item, QWidget* parent = nullptr);
  // The same for the puppets of its "misc\pup\" folder, with their modes, moves and joints.
  static bool ExecutePuppet(const std::string& containerPath, TGobItem& item, QWidget* parent = nullptr);

  // Widens the columns to the longest entry name, so that every name shows whole.
  void FitColumns();

  QListWidget* lbxFiles;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 private slots:
  void lbxFilesDblClick();
};
