#include "app/GameLightBox.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>

#include "view/Builder.h"

namespace {

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

QGroupBox* BuildGameLightBox(QWidget* parent, std::function<TfraBuilder*()> builder) {
  auto* group = new QGroupBox(" Game view light ", parent);
  group->setObjectName("grpGameLight");
  auto* form = new QFormLayout(group);
  TfraBuilder* frame = builder();
  const TGameLight light = frame ? frame->GameLight : TGameLight{};
  auto* ambient = Spin("spnAmbient", 0, 1, light.Ambient, group);
  auto* intensity = Spin("spnLightIntensity", 0, 100, light.Intensity, group);
  form->addRow("&Ambient (0 to 1):", ambient);
  form->addRow("&Light intensity:", intensity);
  const auto apply = [builder, ambient, intensity] {
    if (TfraBuilder* f = builder()) {
      f->GameLight.Ambient = ambient->value();
      f->GameLight.Intensity = intensity->value();
      f->Redraw(false);
    }
  };
  QObject::connect(ambient, &QDoubleSpinBox::valueChanged, group, apply);
  QObject::connect(intensity, &QDoubleSpinBox::valueChanged, group, apply);
  return group;
}
