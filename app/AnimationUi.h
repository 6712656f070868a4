#pragma once
#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "formats/ColormapPlaces.h"
#include "model/KeyAnimation.h"
#include "model/Puppet.h"

class QAction;
class QMainWindow;
class QMenu;
class TCore;
class TTimelineBar;

// The Animation menu: Open Animation... takes a .key file, or a container whose "3do\key\"
// entries the container dialog lists, and shows the timeline bar under the views; Open
// Puppet... takes a .pup file (or a container's "misc\pup\" entry), lists its modes and moves
// and plays the KEY of the move chosen; Save Animation As... writes the open animation as a KEY
// file; Close Animation takes the views back to the rest pose.
class TAnimationUi : public QObject {
 public:
  // The menu goes before the Help menu, the bar between the views and the output line.
  TAnimationUi(QMainWindow& window, TCore& core);
  ~TAnimationUi() override;
  // Opens a .key file, or asks which animation of a container; false when nothing was opened
  // (cancelled, or the file did not read, which the user is told).
  bool OpenPath(const std::string& path);
  void Open();
  // Reads a puppet (a .pup file, or one a container's dialog offers), lets the user choose a
  // move and plays its KEY; false when nothing was played (cancelled, or the puppet or the
  // KEY was not read or found, which the user is told).
  bool OpenPuppetPath(const std::string& path);
  void OpenPuppet();
  void SaveAs();
  void Close();
  TTimelineBar& Timeline() const { return *Bar; }
  // What an export takes along: every animation of the puppet the open one was chosen from
  // (as zarn-cli export --pup finds them), else the open animation; each under its name
  // without ".key". Raises EInOutError for a puppet's KEY found nowhere.
  std::vector<TNamedKey> ExportKeys() const;

 private:
  void Opened(TKeyAnimation key, const std::string& name);

  // The puppet the open animation was chosen from, and where it was read.
  struct TOpenPuppet {
    TPuppet Puppet;
    TColormapPlace Place;
  };
  std::optional<TOpenPuppet> Puppet;

  QMainWindow& Window;
  TCore& Core;
  TTimelineBar* Bar;
  QAction* SaveAction;
  QAction* CloseAction;
  int Subscription;
};
