#pragma once
#include <QListWidget>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class TColormapUi;

// Runs `act` on the next modal window once it is shown (inside its own event loop), so that
// a test can drive a dialog that a function opens and waits for. With `fits`, only a modal
// window it takes counts; others are waited out. Gives up after `attempts` looks, 10 ms apart.
void WhenModalShown(std::function<void(QWidget*)> act, std::function<bool(QWidget*)> fits = {}, int attempts = 500);
// The same for the next modal dialog of type T.
template <class T>
void WhenModalShown(std::function<void(T&)> act) {
  WhenModalShown([act = std::move(act)](QWidget* modal) { act(*qobject_cast<T*>(modal)); },
                 [](QWidget* modal) { return qobject_cast<T*>(modal) != nullptr; });
}

// Clicks the button showing `button` in the next modal window, after keeping its text in
// `asked`; closes the window if it is still open.
void AnswerBox(const QString& button, std::string& asked, int attempts = 500);

// Picks the row in the container dialog that the next opening of a container shows, with OK.
void PickContainerEntry(int row = 0);

// The rows of the list, and a user's click on the first row that shows `text`.
std::vector<std::string> Rows(const QListWidget& list);
void ClickItem(QListWidget& list, const QString& text);

// Accepts the OBJ import dialog that the next import of an .obj file shows, as it opens.
void AcceptObjImport();

// Saves a picture of the widget for a person to look at.
void SaveScreenshot(QWidget* widget, const char* name);

// The window's colormap choice (a plain QObject child, which findChild cannot tell apart).
TColormapUi* Colormaps(QObject& window);
