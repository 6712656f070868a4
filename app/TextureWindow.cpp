#include "app/TextureWindow.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/MainWindow.h"
#include "editing/TextureCommands.h"
#include "document/Core.h"
#include "model/Materials.h"
#include "view/Builder.h"

// The picture and the corners over it, and the gestures on them.
class TTextureCanvas : public QWidget {
 public:
  TTextureCanvas(TCore& core, QWidget* parent) : QWidget(parent), Core(core) {
    setObjectName("pbxTexture");
    setMinimumSize(256, 256);
    setMouseTracking(false);
  }

  void Relayout() {
    Layout = TTextureLayout::Of(TextureFaces(Core));
    // Picked corners of faces no longer shown are forgotten.
    std::erase_if(Picked, [&](const TTexCorner& c) {
      return std::find(Layout.Faces.begin(), Layout.Faces.end(), c.Face) == Layout.Faces.end();
    });
    update();
  }

  // The whole picture in view, as large as fits.
  void FitPicture() {
    const QSize picture = Picture().size();
    View = TTexelView::Fitting(picture.width(), picture.height(), width(), height(), 8);
    update();
  }

  TTexelView View;
  TTextureLayout Layout;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(64, 64, 64));
    const QImage picture = Picture();
    const QRectF where(View.X(0), View.Y(0), picture.width() * View.Zoom, picture.height() * View.Zoom);
    p.drawImage(where, picture);
    p.setPen(QPen(QColor(255, 255, 255, 128), 1, Qt::DashLine));
    p.drawRect(where);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 220, 0), 1.5));
    for (const TFace* face : Layout.Faces) {
      QPolygonF outline;
      for (const TTXVertex& t : face->TXVertices) outline << QPointF(View.X(t.U), View.Y(t.V));
      p.drawPolygon(outline);
    }
    for (const TFace* face : Layout.Faces)
      for (int k = 0; k < face->TXVertices.Count(); ++k) {
        const TTXVertex& t = face->TXVertices[k];
        const bool picked = std::find(Picked.begin(), Picked.end(), TTexCorner{const_cast<TFace*>(face), k}) != Picked.end();
        p.fillRect(QRectF(View.X(t.U) - 3, View.Y(t.V) - 3, 6, 6), picked ? QColor(255, 40, 40) : QColor(255, 255, 255));
      }
    if (Band) {
      p.setPen(QPen(QColor(255, 255, 255), 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRect(Press, *Band).normalized());
    }
  }

  void mousePressEvent(QMouseEvent* e) override {
    Press = Last = e->position().toPoint();
    if (e->button() != Qt::LeftButton) {
      Panning = true;
      return;
    }
    const double x = Press.x(), y = Press.y();
    std::vector<TTexCorner> corners;
    // A press on a corner picked by a rectangle moves all of them.
    const std::vector<TTexCorner> near = Layout.CornersAt(View, x, y, 5);
    if (!near.empty() && std::find(Picked.begin(), Picked.end(), near.front()) != Picked.end()) corners = Picked;
    else if (Core.EditMode == emVertex) corners = near;
    else corners = Layout.FaceAt(View, x, y);
    if (corners.empty()) {
      Band = Press;
      return;
    }
    if (corners != Picked) Picked.clear();
    Drag.emplace(corners);
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint at = e->position().toPoint();
    if (Panning) {
      View.PanX += at.x() - Last.x();
      View.PanY += at.y() - Last.y();
      Last = at;
      update();
      return;
    }
    if (Band) {
      Band = at;
      update();
      return;
    }
    if (!Drag) return;
    if (!Moving) {
      Core.BeginStep();
      Moving = true;
    }
    Drag->To((at.x() - Press.x()) / View.Zoom, (at.y() - Press.y()) / View.Zoom);
    Core.Changed(chGeometry);
    update();
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    mouseMoveEvent(e);
    if (Band) {
      Picked = Layout.CornersIn(View, Press.x(), Press.y(), Band->x(), Band->y());
      Band.reset();
    }
    if (Moving) Core.CommitStep("Move Texture Coordinates");
    Moving = Panning = false;
    Drag.reset();
    update();
  }

  void wheelEvent(QWheelEvent* e) override {
    const QPointF at = e->position();
    View.ZoomAt(at.x(), at.y(), std::pow(1.25, e->angleDelta().y() / 120.0));
    update();
  }

 private:
  // The shown material's picture, or a grey board of 64 x 64 texels when it is not found.
  QImage Picture() const {
    const TMaterial* m = Layout.Shown;
    if (m && m->Loaded && m->Width > 0 && m->Height > 0 &&
        m->Pixels.size() >= static_cast<size_t>(m->Width) * static_cast<size_t>(m->Height) * 3)
      return QImage(m->Pixels.data(), m->Width, m->Height, m->Width * 3, QImage::Format_RGB888).copy();
    QImage board(64, 64, QImage::Format_RGB888);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) board.setPixelColor(x, y, ((x / 8 + y / 8) % 2) ? QColor(150, 150, 150) : QColor(110, 110, 110));
    return board;
  }

  TCore& Core;
  std::vector<TTexCorner> Picked;
  std::optional<TCornerDrag> Drag;
  std::optional<QPoint> Band;
  QPoint Press, Last;
  bool Moving = false, Panning = false;
};

TTextureWindow::TTextureWindow(TCore& core, QWidget* parent) : QWidget(parent, Qt::Tool), Core(core) {
  setObjectName("frmTexture");
  setWindowTitle("Texture Coordinates");
  auto* column = new QVBoxLayout(this);
  canvas = new TTextureCanvas(core, this);
  lblOthers = new QLabel(this);
  lblOthers->setObjectName("lblOtherFaces");
  // One line: a wrapped label is given too little height by the column and shows half its text.
  lblOthers->setWordWrap(false);
  column->addWidget(canvas, 1);
  column->addWidget(lblOthers);
  resize(480, 520);
  // Whatever changes the model or its selection may change the corners shown.
  Subscription = core.Events.Subscribe([this](unsigned) { Refresh(); });
}

TTextureWindow::~TTextureWindow() { Core.Events.Unsubscribe(Subscription); }

void TTextureWindow::Refresh() {
  if (!isVisible()) return;
  canvas->Relayout();
  const TTextureLayout& layout = canvas->Layout;
  std::string title = "Texture Coordinates";
  if (layout.Shown) title += " - " + layout.Shown->Name;
  setWindowTitle(QString::fromStdString(title));
  std::string others;
  for (const TFace* face : layout.Others) {
    const std::string name = face->Material ? face->Material->Name : "(none)";
    if (others.find(name) == std::string::npos) others += (others.empty() ? "" : ", ") + name;
  }
  lblOthers->setText(layout.Others.empty()
                         ? QString()
                         : QString("Not drawn: %1 faces of other materials, %2")
                               .arg(layout.Others.size())
                               .arg(QString::fromStdString(others)));
}

void TTextureWindow::FitPicture() { canvas->FitPicture(); }

TTexelView& TTextureWindow::View() { return canvas->View; }

QWidget* TTextureWindow::Canvas() const { return canvas; }

TTextureWindow* InstallTextureWindow(TMainWindow& window, TCore& core) {
  auto* texture = new TTextureWindow(core, &window);
  window.SetCommand("actViewTexCoords", [texture] {
    texture->show();
    texture->raise();
    texture->Refresh();
    texture->FitPicture();
  });
  return texture;
}
