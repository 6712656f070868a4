#pragma once
#include <QDialog>
#include <QKeySequence>

class QGridLayout;

// Help > Mouse and Keys: every mouse gesture and key of the views in one small window that
// may stay open beside them.
class TMouseKeysDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TMouseKeysDialog(QWidget* parent);
  // Fills the list anew, with Frame Selection's key as it is now.
  void Fill(const QKeySequence& frameKey);

  // One row per binding: the gesture or key in column 0, what it does in column 1.
  QGridLayout* grdBindings;
};

// Shows the window, the one already open (filled anew and raised) or a new one.
void ShowMouseKeys(QWidget* parent, const QKeySequence& frameKey);
