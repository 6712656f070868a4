#include "app/ColormapUi.h"

#include <QInputDialog>
#include <QMenu>
#include <optional>

#include "app/SettingsStore.h"
#include "formats/ColormapPlaces.h"
#include "document/Core.h"
#include "model/Errors.h"

namespace {
const char* const kSettingsPath = "View/Colormap";
}  // namespace

TColormapUi::TColormapUi(QWidget& window, TCore& core, QMenu& viewMenu) : QObject(&window), Window(window), Core(core) {
  QAction* action = viewMenu.addAction("&Colormap...");
  action->setObjectName("actViewColormap");
  action->setStatusTip("The colormap of the level that 8-bit materials are seen with");
  connect(action, &QAction::triggered, this, &TColormapUi::Choose);
  Use(TSettingsStore().RegReadString(kSettingsPath, ""));
}

bool TColormapUi::Use(const std::string& name) {
  std::optional<TColormap> colormap;
  if (!name.empty()) {
    try {
      colormap = ReadColormap(ColormapPlaceNamed(name));
    } catch (const EZarnError& e) {
      Core.Services.AddOutput(std::string("Colormap: ") + e.what());
      return false;
    }
  }
  Name = name;
  ChangeColormap(Core.Model->Materials, colormap ? &*colormap : nullptr);
  Core.Changed(chGeometry);  // the rebuild uploads the materials' new pictures
  return true;
}

void TColormapUi::OpeningFromContainer(const std::string& container) {
  try {
    const auto places = ColormapsInContainer(container);
    if (!places.empty()) Use(places.front().Name());
  } catch (const EZarnError&) {
    // Reading the model reports the damaged container.
  }
}

void TColormapUi::Choose() {
  QStringList items{kBuiltIn};
  for (const TColormapPlace& place : FindColormaps(Core.Model->FileName, Core.ResourceList))
    items << QString::fromStdString(place.Name());
  // The one in use may come from the container a model was opened from, which is not listed.
  int current = Name.empty() ? 0 : static_cast<int>(items.indexOf(QString::fromStdString(Name)));
  if (current < 0) {
    items.insert(1, QString::fromStdString(Name));
    current = 1;
  }
  bool ok = false;
  const QString chosen =
      QInputDialog::getItem(&Window, "Colormap", "8-bit materials are seen through:", items, current, false, &ok);
  if (!ok) return;
  const std::string name = chosen == kBuiltIn ? std::string() : chosen.toStdString();
  if (!Use(name)) return;
  TSettingsStore store;
  store.RegWriteString(kSettingsPath, name);
  store.Flush();
}
