#pragma once
#include <memory>
#include <vector>

#include "camera/Camera.h"

class QTabBar;

// One camera of the viewport frame.
struct TOCamera {
  TCameraRec Rec;
};

// The cameras of the viewport, one tab each; the selected tab is the current camera.
class TCameras {
 public:
  explicit TCameras(QTabBar& tabs) : Tabs(tabs) {}

  int Add(const TCameraRec& rec);
  int Count() const { return static_cast<int>(List.size()); }
  // Raises EListError "Cameras Index is out of bounds: %d" outside the list.
  TOCamera& Get(int index) const;
  TOCamera& Current() const;
  // Selects the tab; an index past the last tab changes nothing.
  void SetCurrent(int index);
  // Every camera back to its default place, then zoomed so a model of this radius fits; each
  // keeps the drawing mode the user chose for it.
  void ResetCameras(double modelRadius);

 private:
  QTabBar& Tabs;
  std::vector<std::unique_ptr<TOCamera>> List;
};
