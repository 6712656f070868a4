#pragma once
#include <QObject>
#include <string>

class QAction;
class QMenu;
class TCore;
class QWidget;

// The colormap 8-bit materials are seen through: View > Colormap... lists the .cmp files the
// model can be seen with and "Built-in", the choice is kept in the settings at once, and a
// model opened from a container that holds colormaps starts with that container's first.
class TColormapUi : public QObject {
 public:
  static constexpr const char* kBuiltIn = "Built-in";

  TColormapUi(QWidget& window, TCore& core, QMenu& viewMenu);
  // Uses the colormap so named (TColormapPlace::Name; empty for the built-in palette). A
  // colormap that does not read is reported and changes nothing; false then.
  bool Use(const std::string& name);
  // Before a model is read from the container.
  void OpeningFromContainer(const std::string& container);
  // The dialog of View > Colormap...
  void Choose();
  const std::string& Current() const { return Name; }

 private:
  QWidget& Window;
  TCore& Core;
  std::string Name;  // empty: the built-in palette
};
