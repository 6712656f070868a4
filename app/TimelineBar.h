#pragma once
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>

#include "model/KeyAnimation.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSlider;
class QToolButton;
class TCore;

// The bar under the views while an animation is open: play and pause, a frame back and on, a
// slider over the frames with the animation's markers on it, the frame number, loop and
// speed. The views show the model posed at the bar's frame; the model itself stays at rest.
class TTimelineBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr double kMinSpeed = 0.1, kMaxSpeed = 4.0;

  TTimelineBar(TCore& core, QWidget* parent);
  ~TTimelineBar() override;

  // Shows the animation from its first frame, paused; `name` goes on the bar.
  void Open(TKeyAnimation key, const std::string& name);
  // Back to the rest pose; the bar hides.
  void Close();
  bool IsOpen() const { return Key.has_value(); }
  const TKeyAnimation* Animation() const { return Key ? &*Key : nullptr; }
  const QString& Name() const { return KeyName; }

  // The frame shown, from 0 up to the animation's frame count; a frame beyond wraps.
  double Frame() const { return Current; }
  void SetFrame(double frame);
  void Step(int frames);
  void SetPlaying(bool playing);
  bool Playing() const { return Timer.isActive(); }
  void SetLoop(bool loop);
  void SetSpeed(double speed);
  // Moves on by `seconds` of playing as a timer tick does: FPS x speed x seconds frames.
  void Advance(double seconds);

  QToolButton* btnPlay;
  QToolButton* btnBack;
  QToolButton* btnForward;
  QSlider* sldFrame;
  QLabel* lblFrame;
  QCheckBox* chkLoop;
  QDoubleSpinBox* spnSpeed;

 private:
  void Tick();
  void ShowFrame();
  void RePose();

  TCore& Core;
  int Subscription = 0;
  std::optional<TKeyAnimation> Key;
  QString KeyName;
  double Current = 0;
  double Speed = 1;
  bool Loop = true;
  bool Moving = false;  // the slider follows the frame, which must not set it again
  QTimer Timer;
  QElapsedTimer Clock;
};
