#include "view/Cameras.h"

#include <QSignalBlocker>
#include <QTabBar>

#include "model/Errors.h"

int TCameras::Add(const TCameraRec& rec) {
  List.push_back(std::make_unique<TOCamera>(TOCamera{rec}));
  Tabs.addTab(QString::fromStdString(rec.Name));
  return Count() - 1;
}

TOCamera& TCameras::Get(int index) const {
  if (index < 0 || index >= Count()) RaiseListError("Cameras Index is out of bounds: %d", index);
  return *List[static_cast<size_t>(index)];
}

TOCamera& TCameras::Current() const { return Get(Tabs.currentIndex()); }

void TCameras::SetCurrent(int index) {
  if (index < 0 || index >= Tabs.count()) return;
  // Callers apply the camera themselves, as a click on a tab does through its notification.
  const QSignalBlocker quiet(&Tabs);
  Tabs.setCurrentIndex(index);
}

void TCameras::ResetCameras(double modelRadius) {
  for (size_t i = 0; i < List.size(); ++i) {
    TCameraRec& rec = List[i]->Rec;
    const unsigned char mode = rec.ViewMode;
    rec = ResetCamera(static_cast<int>(i), modelRadius);
    rec.ViewMode = mode;
  }
}
