// The materials dialog steps through the cels of a material that holds several; the model
// keeps showing the first.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/MaterialsDialog.h"
#include "tests/core/FormatBytes.h"
#include "tests/gui/DialogTestHelpers.h"
#include "tests/gui/GuiFixture.h"

using namespace fmt_test;

namespace {

// Three cels of 3 x 1, 2 x 2 and 1 x 1 texels, one mipmap level each.
std::string ThreeCels() {
  std::string out = MatHeader(2, 3, 8);
  for (int i = 0; i < 3; ++i) out += std::string(40, '\0');
  const int sides[3][2] = {{3, 1}, {2, 2}, {1, 1}};
  for (const auto& side : sides) {
    for (uint32_t word : {static_cast<uint32_t>(side[0]), static_cast<uint32_t>(side[1]), 0u, 0u, 0u, 1u}) Put32(out, word);
    out += std::string(static_cast<size_t>(side[0] * side[1]), '\x06');
  }
  return out;
}

class MaterialCels : public TWindowTest {};

TEST_F(MaterialCels, TheDialogStepsThroughTheCelsAndTheModelKeepsTheFirst) {
  StartWindow();
  Core->Model->FileName = Path("ship.3do");
  Write("cels.mat", ThreeCels());
  TMaterial* material = Core->Model->Materials.Add("cels.mat");
  ASSERT_EQ(material->Cels, 3);
  std::vector<std::string> seen;
  WhenModalShown([&](QWidget* w) {
    auto* d = qobject_cast<TfrmMat*>(w);
    ClickItem(*d->lbxProjMat, "cels.mat");
    const auto look = [&] {
      seen.push_back(d->lblCel->text().toStdString() + " " + d->lblSize->text().toStdString() + " " +
                     (d->btnPrevCel->isEnabled() ? "<" : "-") + (d->btnNextCel->isEnabled() ? ">" : "-"));
    };
    look();
    for (int i = 0; i < 3; ++i) {
      QTest::mouseClick(d->btnNextCel, Qt::LeftButton);  // the last click finds the button disabled
      look();
    }
    QTest::mouseClick(d->btnPrevCel, Qt::LeftButton);
    look();
    SaveScreenshot(d, "materials_cels");
    QTest::mouseClick(d->btnCancel, Qt::LeftButton);
  });
  std::string chosen;
  TfrmMat::Execute(*Core, "cels.mat", chosen, Window.get());
  EXPECT_EQ(seen, (std::vector<std::string>{"Cel 1 of 3 Size 3x1 ->", "Cel 2 of 3 Size 2x2 <>", "Cel 3 of 3 Size 1x1 <-",
                                            "Cel 3 of 3 Size 1x1 <-", "Cel 2 of 3 Size 2x2 <>"}));
  EXPECT_EQ(material->Cel, 0);
  EXPECT_EQ(material->Width, 3);
}

}  // namespace
