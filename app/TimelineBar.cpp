#include "app/TimelineBar.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "document/Core.h"
#include "document/ShownPose.h"
#include "model/KeyPose.h"

namespace {

// A frame slider that marks the animation's markers under its groove.
class TMarkedSlider : public QSlider {
 public:
  TMarkedSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}
  std::vector<double> Marks;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QSlider::paintEvent(event);
    if (Marks.empty() || maximum() <= minimum()) return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    // The handle's middle runs from half a handle in from each end.
    const double left = groove.left() + handle.width() / 2.0, span = groove.width() - handle.width();
    QPainter painter(this);
    painter.setPen(QPen(QColor(200, 40, 40), 2));
    for (const double m : Marks) {
      const double x = left + span * (m - minimum()) / (maximum() - minimum());
      painter.drawLine(QPointF(x, height() - 6), QPointF(x, height() - 1));
    }
  }
};

QToolButton* Button(QWidget* parent, const char* name, const QIcon& icon, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setIcon(icon);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

TTimelineBar::TTimelineBar(TCore& core, QWidget* parent) : QWidget(parent), Core(core) {
  setObjectName("pnlTimeline");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  btnBack = Button(this, "btnFrameBack", style()->standardIcon(QStyle::SP_MediaSeekBackward), "One frame back");
  btnPlay = Button(this, "btnPlay", style()->standardIcon(QStyle::SP_MediaPlay), "Play or pause the animation");
  btnPlay->setCheckable(true);
  btnForward = Button(this, "btnFrameForward", style()->standardIcon(QStyle::SP_MediaSeekForward), "One frame on");
  sldFrame = new TMarkedSlider(this);
  sldFrame->setObjectName("sldFrame");
  sldFrame->setToolTip("The frame shown; the red ticks are the animation's markers");
  lblFrame = new QLabel(this);
  lblFrame->setObjectName("lblFrame");
  lblFrame->setMinimumWidth(lblFrame->fontMetrics().horizontalAdvance("Frame 9999.9 / 9999") + 4);
  chkLoop = new QCheckBox("Loop", this);
  chkLoop->setObjectName("chkLoop");
  chkLoop->setChecked(true);
  spnSpeed = new QDoubleSpinBox(this);
  spnSpeed->setObjectName("spnSpeed");
  spnSpeed->setRange(kMinSpeed, kMaxSpeed);
  spnSpeed->setSingleStep(0.1);
  spnSpeed->setDecimals(1);
  spnSpeed->setSuffix("x");
  spnSpeed->setValue(1);
  spnSpeed->setToolTip("Playing speed, from 0.1x to 4x");
  for (QWidget* w : std::initializer_list<QWidget*>{btnBack, btnPlay, btnForward}) row->addWidget(w);
  row->addWidget(sldFrame, 1);
  row->addWidget(lblFrame);
  row->addWidget(chkLoop);
  row->addWidget(spnSpeed);

  connect(btnPlay, &QToolButton::toggled, this, [this](bool on) { SetPlaying(on); });
  connect(btnBack, &QToolButton::clicked, this, [this] { Step(-1); });
  connect(btnForward, &QToolButton::clicked, this, [this] { Step(1); });
  // A frame taken in hand stops playing, which would take it away again at the next tick.
  connect(sldFrame, &QSlider::sliderPressed, this, [this] { SetPlaying(false); });
  connect(sldFrame, &QSlider::valueChanged, this, [this](int value) {
    if (Moving) return;
    SetPlaying(false);
    SetFrame(value);
  });
  connect(chkLoop, &QCheckBox::toggled, this, [this](bool on) { Loop = on; });
  connect(spnSpeed, &QDoubleSpinBox::valueChanged, this, [this](double value) { Speed = value; });
  // A timer as fast as the screen: each tick moves on by the time that really passed, so a
  // late tick shows a later frame rather than slowing the animation down.
  Timer.setTimerType(Qt::PreciseTimer);
  Timer.setInterval(15);
  connect(&Timer, &QTimer::timeout, this, [this] { Tick(); });
  // Another model, or nodes added or removed: the same frame posed anew on what is there now.
  Subscription = Core.Events.Subscribe([this](unsigned changes) {
    if (Key && (changes & (chHierarchy | chFileName))) RePose();
  });
  hide();
}

TTimelineBar::~TTimelineBar() { Core.Events.Unsubscribe(Subscription); }

void TTimelineBar::Open(TKeyAnimation key, const std::string& name) {
  SetPlaying(false);
  Key = std::move(key);
  KeyName = QString::fromStdString(name);
  Moving = true;
  sldFrame->setRange(0, std::max(0, Key->Frames - 1));
  Moving = false;
  auto* slider = static_cast<TMarkedSlider*>(sldFrame);
  slider->Marks.clear();
  for (const TKeyMarker& m : Key->Markers) slider->Marks.push_back(m.Frame);
  setToolTip(KeyName);
  show();
  SetFrame(0);
}

void TTimelineBar::Close() {
  SetPlaying(false);
  Key.reset();
  hide();
  ShowPose(Core, {});
}

void TTimelineBar::SetFrame(double frame) {
  if (!Key) return;
  Current = WrapFrame(frame, Key->Frames);
  RePose();
  ShowFrame();
}

void TTimelineBar::Step(int frames) {
  SetPlaying(false);
  if (Key) SetFrame(std::floor(Current + 1e-9) + frames);
}

void TTimelineBar::SetPlaying(bool playing) {
  if (playing == Timer.isActive()) return;
  if (playing && Key) {
    Clock.start();
    Timer.start();
  } else {
    Timer.stop();
  }
  const QSignalBlocker quiet(btnPlay);
  btnPlay->setChecked(Timer.isActive());
  btnPlay->setIcon(style()->standardIcon(Timer.isActive() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void TTimelineBar::SetLoop(bool loop) { chkLoop->setChecked(loop); }

void TTimelineBar::SetSpeed(double speed) { spnSpeed->setValue(std::clamp(speed, kMinSpeed, kMaxSpeed)); }

void TTimelineBar::Advance(double seconds) {
  if (!Key) return;
  const double next = Current + Key->Fps * Speed * seconds;
  // Without loop the animation stops on its last frame.
  if (!Loop && next >= Key->Frames - 1) {
    SetFrame(Key->Frames - 1);
    SetPlaying(false);
    return;
  }
  SetFrame(next);
}

void TTimelineBar::Tick() {
  const double seconds = static_cast<double>(Clock.nsecsElapsed()) * 1e-9;
  Clock.restart();
  Advance(seconds);
}

void TTimelineBar::RePose() {
  if (Key) ShowPose(Core, PoseAt(*Core.Model, *Key, Current));
}

void TTimelineBar::ShowFrame() {
  Moving = true;
  sldFrame->setValue(static_cast<int>(std::floor(Current)));
  Moving = false;
  lblFrame->setText(QString("Frame %1 / %2").arg(Current, 0, 'f', 1).arg(Key ? Key->Frames : 0));
}
