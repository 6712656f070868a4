#include "tests/gui/GuiFixture.h"

using namespace fmt_test;

namespace {

namespace fs = std::filesystem;

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

// The sample model with its materials in a lower-case "mat" folder, a few more files beside
// it, and containers: a good one, a damaged one and a missing one.
class TMaterialsDialogTest : public TWindowTest {
 protected:
  void SetUp() override {
    fs::copy_file(Sample(), Dir.File("fighter.3do"));
    fs::create_directories(Dir.File("mat"));
    for (const auto& mat : fs::directory_iterator(std::string(ZARN_SAMPLES_DIR) + "/Mat"))
      fs::copy_file(mat.path(), Dir.File("mat/" + mat.path().filename().string()));
    // Red, green, blue over white, black, yellow.
    Dir.Write("Top.MAT", MakeTextureMat(3, 2, 8, std::string("\x06\x01\x1F\x10\x00\x68", 6)));
    Dir.Write(".hidden.mat", MakeColourMat(6));
    Dir.Write("folder.mat/x.mat", MakeColourMat(6));
    Dir.Write("notes.txt", "");
    const std::string c16 = MakeTextureMat(2, 2, 16, Words({0xF800, 0x07E0, 0x001F, 0xFFFF}));
    Containers = {Dir.Write("res.gob", MakeGob({{"3do\\x.3do", "x"},
                                                {"mat\\c16.mat", c16},
                                                {"mat\\colour.mat", MakeColourMat(6)},
                                                {"mat\\odd.mat", MatHeader(1, 0, 8)},
                                                {"other\\c16.mat", c16}})),
                  Dir.Write("broken.gob", "GOB damaged"), Dir.File("missing.gob")};
    StartWindow();
    Core->ResourceList = Containers;
    Window->OpenFile(Dir.File("fighter.3do"));
    ASSERT_EQ(Core->Model->Materials.Count(), 4);
  }

  static void Click(QListWidget* list, const std::string& text) { ClickItem(*list, QString::fromStdString(text)); }
  static void ClickRow(QListWidget* list, int row) { ClickItem(*list, list->item(row)->text()); }
  // Runs the dialog as the property panel does, `act` driving it before `button` closes it.
  bool Run(const std::string& initial, std::string& chosen, std::function<void(TMaterialsDialog*)> act,
           QPushButton* TMaterialsDialog::*button) {
    WhenModalShown<TMaterialsDialog>([&](TMaterialsDialog& d) {
      act(&d);
      QTest::mouseClick(d.*button, Qt::LeftButton);
    });
    return TMaterialsDialog::Execute(*Core, initial, chosen, Window.get());
  }
  static void Add(TMaterialsDialog* d, int source, const std::string& name) {
    ClickRow(d->lbxCatResMat, source);
    Click(d->lbxResMat, name);
    QTest::mouseClick(d->btnAdd, Qt::LeftButton);
  }
  static void Delete(TMaterialsDialog* d, const std::string& name) {
    Click(d->lbxProjMat, name);
    QTest::mouseClick(d->btnDelete, Qt::LeftButton);
  }
  size_t Loads() const {  // materials read so far
    return std::count_if(Services.Status.begin(), Services.Status.end(), [](auto& s) { return s.find("Loading") == 0; });
  }

  TTempDir Dir;
  std::vector<std::string> Containers;
};

TEST_F(TMaterialsDialogTest, ListsEverySourceAndPreviewsEachMaterialAtItsOwnSize) {
  bool shown = false;
  WhenModalShown<TMaterialsDialog>([&](TMaterialsDialog& dialog) {
    TMaterialsDialog* d = &dialog;
    shown = true;
    EXPECT_EQ(Rows(*d->lbxCatResMat), (std::vector<std::string>{"[Project Dir]", "[Project Dir]/Mat", Containers[0],
                                                                Containers[1], Containers[2]}));
    EXPECT_EQ(Rows(*d->lbxProjMat), (std::vector<std::string>{"dflt.mat", "engine.mat", "glass.mat", "hull.mat"}));
    const size_t outputs = Services.Output.size();
    const struct { int Source; std::vector<std::string> Rows; } sources[] = {
        {0, {"Top.MAT"}}, {1, {"dflt.mat", "engine.mat", "glass.mat", "hull.mat"}},
        {2, {"c16.mat", "c16.mat", "colour.mat", "odd.mat"}},  // one row per entry
        {3, {}}, {4, {}},
    };
    for (const auto& s : sources) {
      ClickRow(d->lbxCatResMat, s.Source);
      EXPECT_EQ(Rows(*d->lbxResMat), s.Rows) << s.Source;
    }
    EXPECT_EQ(Services.Output.size(), outputs);  // unreadable containers say nothing here
    EXPECT_TRUE(Services.Errors.empty());

    // Three quick clicks give one preview, of the last row.
    ClickRow(d->lbxCatResMat, 2);
    const size_t loads = Loads();
    for (int row = 0; row < 3; ++row) ClickRow(d->lbxResMat, row);
    EXPECT_TRUE(QTest::qWaitFor([&] { return d->lblName->text() == "colour.mat"; }, 2000));
    EXPECT_EQ(Loads(), loads + 1);

    constexpr QRgb R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000, Y = 0xFFFF00;
    const struct {
      int Source;
      std::string Name, Size, Bits;
      std::vector<QRgb> Picture;  // rows from the top; not compared when empty
      bool Removed = false;       // the file goes after it was listed
    } previews[] = {
        {0, "Top.MAT", "Size 3x2", "Bits 8", {R, G, B, W, K, Y}},
        {2, "odd.mat", "Size 0x0", "Bits 8", {}},  // a kind of material without pixels
        {2, "c16.mat", "Size 2x2", "Bits 16", {R, G, B, W}},
        {2, "colour.mat", "Size 1x1", "Bits 8", {R}},
        {0, "Top.MAT", "Size 0x0", "Bits 0", {}, true},
        {1, "hull.mat", "Size 64x64", "Bits 16", {}},
    };
    for (const auto& p : previews) {
      SCOPED_TRACE(p.Name);
      ClickRow(d->lbxCatResMat, p.Source);
      if (p.Removed) fs::remove(Dir.File(p.Name));
      Click(d->lbxResMat, p.Name);
      EXPECT_TRUE(QTest::qWaitFor([&] { return d->lblName->text().toStdString() == p.Name; }, 2000));
      EXPECT_EQ(d->lblSize->text().toStdString(), p.Size);
      EXPECT_EQ(d->lblBits->text().toStdString(), p.Bits);
      const bool placeholder = p.Size == "Size 0x0";
      // Nothing is left of the previous picture; the name shows in its place.
      EXPECT_EQ(d->imgPreview->pixmap().isNull(), placeholder);
      EXPECT_EQ(d->imgPreview->text().contains(QString::fromStdString(p.Name)), placeholder);
      if (placeholder) continue;
      const QImage shown = d->imgPreview->grab().toImage();
      EXPECT_EQ(QString("Size %1x%2").arg(shown.width()).arg(shown.height()).toStdString(), p.Size);
      std::vector<QRgb> pixels;
      for (int i = 0; i < shown.width() * shown.height(); ++i)
        pixels.push_back(shown.pixel(i % shown.width(), i / shown.width()) & 0xFFFFFF);
      EXPECT_TRUE(p.Picture.empty() || pixels == p.Picture) << ::testing::PrintToString(pixels);
    }
    SaveScreenshot(d, "materials_dialog");
    EXPECT_EQ(Services.Output.empty() ? "" : Services.Output.back(), "Material not found 'Top.MAT'");
    // Project materials show what was read with the model.
    Click(d->lbxProjMat, "glass.mat");
    EXPECT_EQ(d->lblSize->text(), "Size 32x32");
    EXPECT_FALSE(d->imgPreview->pixmap().isNull());
    QTest::mouseClick(d->btnCancel, Qt::LeftButton);
  });
  Window->Action("actViewMaterials")->trigger();
  EXPECT_TRUE(shown);
  EXPECT_EQ(Core->Model->Materials.Count(), 4);
}

TEST_F(TMaterialsDialogTest, OkGivesTheSelectedProjectMaterialAndCancelTheInitialOne) {
  const auto none = [](TMaterialsDialog*) {};
  const struct {
    std::string Initial;
    std::function<void(TMaterialsDialog*)> Act;
    bool Ok;
    std::string Chosen;
    int Materials, Fills;  // list refills asked of the property panel
  } cases[] = {
      {"HULL.MAT", none, true, "hull.mat", 4, 0},
      {"unknown.mat", none, true, "", 4, 0},
      {"dflt.mat", [](TMaterialsDialog* d) { d->lbxProjMat->clearSelection(); }, true, "", 4, 0},
      {"glass.mat", [](TMaterialsDialog* d) { Add(d, 0, "Top.MAT"); }, true, "Top.MAT", 5, 1},
      // Already a project material: nothing added, its row selected.
      {"glass.mat", [](TMaterialsDialog* d) { Add(d, 1, "engine.mat"); }, true, "engine.mat", 5, 1},
      {"glass.mat", [](TMaterialsDialog* d) { Add(d, 2, "c16.mat"); Delete(d, "Top.MAT"); Delete(d, "glass.mat"); },
       false, "glass.mat", 4, 3},
      {"hull.mat", [](TMaterialsDialog* d) { Delete(d, "hull.mat"); }, true, "", 3, 1},  // nothing selected after
      // Still used, "dflt.mat" comes back fresh (its faces are checked in PropertyEdits).
      {"engine.mat", [](TMaterialsDialog* d) { Delete(d, "dflt.mat"); }, true, "", 3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Initial + " " + c.Chosen);
    std::string chosen = "stale";
    const int fills = Changes->MaterialListFills;
    EXPECT_EQ(Run(c.Initial, chosen, c.Act, c.Ok ? &TMaterialsDialog::btnOK : &TMaterialsDialog::btnCancel), c.Ok);
    EXPECT_EQ(chosen, c.Chosen);
    EXPECT_EQ(Core->Model->Materials.Count(), c.Materials);
    EXPECT_EQ(Changes->MaterialListFills - fills, c.Fills);
  }
}

// The dialog steps through the cels of a material that holds several; the model keeps showing
// the first.
TEST_F(TMaterialsDialogTest, TheDialogStepsThroughTheCelsAndTheModelKeepsTheFirst) {
  Dir.Write("cels.mat", ThreeCels());
  TMaterial* material = Core->Model->Materials.Add("cels.mat");
  ASSERT_EQ(material->Cels, 3);
  std::vector<std::string> seen;
  std::string chosen;
  Run("cels.mat", chosen, [&](TMaterialsDialog* d) {
    Click(d->lbxProjMat, "cels.mat");
    // Before the clicks, after three on Next (the last finding it disabled), after one on Back.
    for (QPushButton* button : {static_cast<QPushButton*>(nullptr), d->btnNextCel, d->btnNextCel, d->btnNextCel,
                                d->btnPrevCel}) {
      if (button) QTest::mouseClick(button, Qt::LeftButton);
      seen.push_back(d->lblCel->text().toStdString() + " " + d->lblSize->text().toStdString() + " " +
                     (d->btnPrevCel->isEnabled() ? "<" : "-") + (d->btnNextCel->isEnabled() ? ">" : "-"));
    }
    SaveScreenshot(d, "materials_cels");
  }, &TMaterialsDialog::btnCancel);
  EXPECT_EQ(seen, (std::vector<std::string>{"Cel 1 of 3 Size 3x1 ->", "Cel 2 of 3 Size 2x2 <>", "Cel 3 of 3 Size 1x1 <-",
                                            "Cel 3 of 3 Size 1x1 <-", "Cel 2 of 3 Size 2x2 <>"}));
  EXPECT_EQ(material->Cel, 0);
  EXPECT_EQ(material->Width, 3);
}

}  // namespace
