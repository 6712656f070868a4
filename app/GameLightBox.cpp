#include "app/GameLightBox.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>

#include "app/SettingsStore.h"
#include "model/Convert.h"
#include "model/Vector.h"
#include "view/Builder.h"

namespace {

const char* const kAmbientPath = "View/GameAmbient";
const char* const kIntensityPath = "View/GameLightIntensity";
constexpr double kMostIntensity = 100;

double ReadLevel(const TSettingsStore& store, const char* path, double high, double fallback) {
  double value = 0;
  return TryStrToFloat(store.RegReadString(path, ""), value) && value >= 0 && value <= high ? value : fallback;
}

QDoubleSpinBox* Spin(const char* name, double low, double high, double value, QWidget* parent) {
  auto* spin = new QDoubleSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(low, high);
  spin->setSingleStep(0.05);
  spin->setDecimals(2);
  spin->setValue(value);
  return spin;
}

}  // namespace

QGroupBox* BuildGameLightBox(QWidget* parent, std::function<TViewportFrame*()> builder) {
  auto* group = new QGroupBox(" Game view light ", parent);
  group->setObjectName("grpGameLight");
  auto* form = new QFormLayout(group);
  TViewportFrame* frame = builder();
  const TGameLight light = frame ? frame->GameLight : TGameLight{};
  auto* ambient = Spin("spnAmbient", 0, 1, light.Ambient, group);
  auto* intensity = Spin("spnLightIntensity", 0, kMostIntensity, light.Intensity, group);
  form->addRow("&Ambient (0 to 1):", ambient);
  form->addRow("&Light intensity:", intensity);
  const auto apply = [builder, ambient, intensity] {
    if (TViewportFrame* f = builder()) {
      f->GameLight.Ambient = ambient->value();
      f->GameLight.Intensity = intensity->value();
      f->Redraw(false);
      SaveGameLight(f->GameLight);
    }
  };
  QObject::connect(ambient, &QDoubleSpinBox::valueChanged, group, apply);
  QObject::connect(intensity, &QDoubleSpinBox::valueChanged, group, apply);
  return group;
}

TGameLight LoadGameLight() {
  const TSettingsStore store;
  TGameLight light;
  light.Ambient = ReadLevel(store, kAmbientPath, 1, light.Ambient);
  light.Intensity = ReadLevel(store, kIntensityPath, kMostIntensity, light.Intensity);
  return light;
}

void SaveGameLight(const TGameLight& light) {
  TSettingsStore store;
  store.RegWriteString(kAmbientPath, FormatFloat6(light.Ambient));
  store.RegWriteString(kIntensityPath, FormatFloat6(light.Intensity));
}
