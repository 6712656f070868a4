#pragma once
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `act` on the next modal window once it is shown (inside its own event loop), so that
// a test can drive a dialog that a function opens and waits for.
inline void WhenModalShown(std::function<void(QWidget*)> act, int attempts = 500) {
  QTimer::singleShot(10, [act = std::move(act), attempts] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible())
      act(modal);
    else if (attempts > 0)
      WhenModalShown(act, attempts - 1);
  });
}

// Accepts the OBJ import dialog that the next import of an .obj file shows, as it opens.
void AcceptObjImport();

// Saves a picture of the widget for a person to look at.
void SaveScreenshot(QWidget* widget, const char* name);
