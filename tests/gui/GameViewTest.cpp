// The Game view mode, judged by pixels that carry meaning: culling and two-sided faces,
// translucent blending, see-through texels, light table rows, the chequered missing material,
// and the built-in palette giving the Textured mode's colours. The colormap's palette gives
// index i the colour (i, 255 - i, 7) and its light table sends every index of row r to r, so
// a lit colour's red channel names the row it came from.
#include <tuple>

#include "tests/gui/GuiFixture.h"

using namespace fmt_test;

namespace {

struct TQuad {
  double X;              // left edge; 0.04 wide and tall unless said, at y 0 to 0.04
  int Material;          // 0 solid.mat, 1 key.mat, 2 gone.mat
  int Flags;             // face type
  int Lighting;          // face lighting mode
  double ExtraLight;
  bool Flipped;          // wound to face away from the top camera
  double RightLight = 0;  // the intensity of the two right-hand vertices
  double Y = 0, Side = 0.04;
};

const std::vector<TQuad> kQuads = {
    {-0.15, 0, 0x0, 0, 0, true},   // 0: single-sided, seen from behind
    {-0.09, 0, 0x1, 0, 0, true},   // 1: two-sided, seen from behind
    {-0.03, 0, 0x2, 0, 0, false},  // 2: translucent, full light
    {0.03, 1, 0x0, 0, 0, false},   // 3: texture with a see-through left texel
    {0.09, 0, 0x0, 1, 0, false},   // 4: not lit: the ambient level
    {0.15, 0, 0x0, 1, 0.6, false}, // 5: not lit, extra light 0.6
    {0.21, 2, 0x0, 0, 0, false},   // 6: its material is nowhere
    {-0.21, 0, 0x0, 1, 0, false, 1}, // 7: not lit, the right-hand vertices at full light
};

// A model of one mesh of the quads.
std::string QuadsModel(const std::vector<TQuad>& quads = kQuads) {
  std::string vertices, tvertices, vertexNormals, faces, normals;
  int v = 0;
  for (size_t q = 0; q < quads.size(); ++q) {
    const TQuad& quad = quads[q];
    const double x[4] = {quad.X, quad.X + quad.Side, quad.X + quad.Side, quad.X};
    const double y[4] = {quad.Y, quad.Y, quad.Y + quad.Side, quad.Y + quad.Side};
    for (int i = 0; i < 4; ++i) {
      vertices += std::to_string(v + i) + ": " + std::to_string(x[i]) + " " + std::to_string(y[i]) + " 0 " +
                  (i == 1 || i == 2 ? std::to_string(quad.RightLight) : "0") + "\n";
      tvertices += std::to_string(v + i) + ": " + (i == 1 || i == 2 ? "2" : "0") + " " + (i >= 2 ? "1" : "0") + "\n";
      vertexNormals += std::to_string(v + i) + ": 0 0 1\n";
    }
    std::string corners;
    for (int k = 0; k < 4; ++k) {
      const int i = quad.Flipped ? 3 - k : k;
      corners += " " + std::to_string(v + i) + ", " + std::to_string(v + i);
    }
    faces += std::to_string(q) + ": " + std::to_string(quad.Material) + " 0x" + std::to_string(quad.Flags) + " 4 " +
             std::to_string(quad.Lighting) + " 1 " + std::to_string(quad.ExtraLight) + " 4" + corners + "\n";
    normals += std::to_string(q) + ": 0 0 " + (quad.Flipped ? "-1" : "1") + "\n";
    v += 4;
  }
  return "SECTION: HEADER\n3DO 2.1\n\nSECTION: MODELRESOURCE\nMATERIALS 3\n0: solid.mat\n1: key.mat\n2: gone.mat\n\n"
         "SECTION: GEOMETRYDEF\nRADIUS 0.3\nINSERT OFFSET 0 0 0\nGEOSETS 1\nGEOSET 0\nMESHES 1\n\n"
         "MESH 0\nNAME quads\nRADIUS 0.3\nGEOMETRYMODE 4\nLIGHTINGMODE 3\nTEXTUREMODE 1\n\n"
         "VERTICES " + std::to_string(v) + "\n" + vertices + "\nTEXTURE VERTICES " + std::to_string(v) + "\n" + tvertices +
         "\nVERTEX NORMALS\n" + vertexNormals + "\nFACES " + std::to_string(quads.size()) + "\n" + faces +
         "\nFACE NORMALS\n" + normals +
         "\nSECTION: HIERARCHYDEF\nHIERARCHY NODES 1\n0: 0x0 0x1 0 -1 -1 -1 0 0 0 0 0 0 0 0 0 0 quads\n";
}

// A 2 x 1 texture of indices 5 and 6 whose header makes index 5 see-through.
std::string KeyedMat() {
  std::string out = MatHeader(2, 1, 8);
  Put32(out, 8);
  Put32(out, 9);
  out += std::string(32, '\0');
  for (uint32_t word : {2u, 1u, 1u, 0u, 5u, 1u}) Put32(out, word);
  return out + "\x05\x06";
}

class GameView : public TWindowTest {
 protected:
  // The quads opened in the Top view, on a blue background without grid lines under the
  // pixels looked at.
  void OpenInTopView(const std::vector<TQuad>& quads = kQuads) {
    Write("quads.3do", QuadsModel(quads));
    Write("solid.mat", MakeColourMat(9));
    Write("key.mat", KeyedMat());
    Write("level.cmp", MakeCmp());
    StartWindow(Path("quads.3do"));
    ASSERT_EQ(FaceCount(), static_cast<int>(quads.size()));
    Core->Grid.LineEvery = 0;
    Core->Color2D = 0xFF0000;  // blue, as 0x00BBGGRR
    Frame().Cameras->SetCurrent(0);  // top
    Frame().tacCamerasChange();
  }
  void UseColormap() { ASSERT_TRUE(Colormaps(*Window)->Use(Path("level.cmp"))); }
  // The frame of the top camera, and the colour at a point of the quad (fractions of its side).
  QImage Draw(const char* action, const std::string& name) {
    Window->Action(action)->trigger();
    Frame().Redraw(false);
    return Frame_ = Shot(name);
  }
  QRgb At(int quad, double fx = 0.5, double fy = 0.5) {
    return Frame_.pixel(Pixel({kQuads[quad].X + 0.04 * fx, 0.04 * fy, 0}));
  }
  static void ExpectColour(QRgb got, int r, int g, int b, int tolerance = 2) {
    EXPECT_NEAR(qRed(got), r, tolerance) << std::hex << got;
    EXPECT_NEAR(qGreen(got), g, tolerance) << std::hex << got;
    EXPECT_NEAR(qBlue(got), b, tolerance) << std::hex << got;
  }
  QImage Frame_;
};

// Without a colormap the built-in palette gives the materials' own colours, scaled by the
// light, which runs smoothly across a face; a material that is nowhere is chequered. With one,
// faces are culled, blended, keyed and lit as the game draws them.
TEST_F(GameView, TheBuiltInPaletteOrAColormapColoursTheFacesAsTheGameDoes) {
  OpenInTopView();
  Draw("actViewGame", "game_builtin");
  // Texel 1 is index 6 and the solid colour index 9, through the built-in palette.
  const std::vector<uint8_t>& texel = Core->Model->Materials.Find("key.mat")->Pixels;
  ExpectColour(At(3, 0.75), texel[3], texel[4], texel[5], 0);
  const std::vector<uint8_t>& solid = Core->Model->Materials.Find("solid.mat")->Pixels;
  ExpectColour(At(1), solid[0], solid[1], solid[2], 0);
  // Without a light table the ambient level scales the colour, from the ambient level on the
  // left of quad 7 to full light on its right.
  for (const auto& [quad, fx, level] : {std::tuple{4, 0.5, 0.4}, {7, 0.1, 0.46}, {7, 0.5, 0.7}, {7, 0.9, 0.94}})
    ExpectColour(At(quad, fx), std::lround(solid[0] * level), std::lround(solid[1] * level),
                 std::lround(solid[2] * level), quad == 4 ? 1 : 6);
  const QRgb a = At(6, 0.2, 0.2), b = At(6, 0.45, 0.2);
  EXPECT_NE(a, b);
  for (QRgb c : {a, b}) EXPECT_TRUE(c == qRgb(255, 0, 255) || c == qRgb(0, 0, 0)) << std::hex << c;
  Frame().Redraw(false);
  EXPECT_EQ(std::count(Services.Output.begin(), Services.Output.end(),
                       "Game view: material 'gone.mat' not found; drawn chequered"),
            1);

  // With the colormap, as the game draws them.
  UseColormap();
  Draw("actViewGame", "game_quads");
  const QRgb blue = qRgb(0, 0, 255);
  EXPECT_EQ(At(0), blue) << "a single-sided face seen from behind is not drawn";
  ExpectColour(At(1), 63, 192, 7);  // two-sided: drawn from behind, at full light
  // 65% of row 63's colour over 35% of the blue behind.
  ExpectColour(At(2), 63 * 165 / 255, 192 * 165 / 255, (7 * 165 + 255 * 90) / 255);
  EXPECT_EQ(At(3, 0.25), blue) << "the see-through texel shows the background";
  ExpectColour(At(3, 0.75), 63, 192, 7);
  ExpectColour(At(4), 25, 230, 7);  // ambient 0.4: row int(0.4 x 63)
  ExpectColour(At(5), 37, 218, 7);  // extra light 0.6: row 37

  Frame().GameLight.Ambient = 0.2;
  Frame().Redraw(false);
  Frame_ = Shot("game_quads_dark");
  ExpectColour(At(4), 12, 243, 7);  // a darker row as the light falls
  ExpectColour(At(5), 37, 218, 7);  // the extra light is above the ambient level still
}

// Far more faces than one draw call of the Game mode takes: none may be left out where the
// calls meet.
TEST_F(GameView, EveryFaceOfABigMeshIsDrawn) {
  // 90 x 90 quads at full light, from -0.2 to 0.2 on x and y.
  std::vector<TQuad> grid;
  for (int j = 0; j < 90; ++j)
    for (int i = 0; i < 90; ++i)
      grid.push_back({-0.2 + 0.4 * i / 90, 0, 0x0, 0, 0, false, 0, -0.2 + 0.4 * j / 90, 0.4 / 90});
  OpenInTopView(grid);
  const QImage shot = Draw("actViewGame", "game_grid");
  const QPoint topLeft = Pixel({-0.2, 0.2, 0}), bottomRight = Pixel({0.2, -0.2, 0});
  ASSERT_GT(bottomRight.x() - topLeft.x(), 100);
  const std::vector<uint8_t>& solid = Core->Model->Materials.Find("solid.mat")->Pixels;
  int other = 0;
  for (int y = topLeft.y() + 2; y < bottomRight.y() - 2; ++y)
    for (int x = topLeft.x() + 2; x < bottomRight.x() - 2; ++x)
      if (shot.pixel(x, y) != qRgb(solid[0], solid[1], solid[2])) ++other;
  EXPECT_EQ(other, 0);
}

}  // namespace
