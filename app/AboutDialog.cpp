#include "app/AboutDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

#include "app/AboutStrip.h"
#include "app/SettingsStore.h"
#include "model/VersionInfo.h"
#include "view/Builder.h"
#include "view/GLArea.h"

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QLabel* Link(const QString& caption, const QString& path, QWidget* parent) {
  auto* label = new QLabel("<a href=\"" + QUrl::fromLocalFile(path).toString().toHtmlEscaped() + "\">" + caption + "</a>",
                           parent);
  label->setTextFormat(Qt::RichText);
  QObject::connect(label, &QLabel::linkActivated, [path](const QString&) {
    // The settings folder exists only once something was stored.
    if (!QFileInfo(path).isFile()) QDir().mkpath(path);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  });
  return label;
}

// The read-me beside the program, in the folder above it (a build folder in the source tree)
// or where an installation puts it; empty when there is none.
QString ReadmePath() {
  const QDir program(QCoreApplication::applicationDirPath());
  for (const char* candidate : {"README.md", "../README.md", "../share/doc/zarn/README.md"})
    if (QFileInfo(program.filePath(candidate)).isFile()) return QFileInfo(program.filePath(candidate)).canonicalFilePath();
  return {};
}

}  // namespace

TAboutDialog::TAboutDialog(TViewportFrame* frame) : QDialog(nullptr) {
  setObjectName("frmAbout");
  setWindowTitle("About");
  setFixedSize(524, 336);
  imgIcon = AddLabel("imgIcon", {}, 9, 8);
  const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                         : QApplication::windowIcon();
  imgIcon->setPixmap(icon.pixmap(32, 32));
  imgIcon->setFixedSize(32, 32);
  lblTitle = AddLabel("lblTitle", Text(GetProductName()), 52, 6);
  lblTitle->setFont(QFont("Verdana", 14, QFont::Bold));
  lblVersion = AddLabel("lblVersion",
                        Text("Version " + GetVersionString(VersionParts) + " (" + GetBuildDate() + ")"), 52, 28);
  QFont bold = lblVersion->font();
  bold.setBold(true);
  lblVersion->setFont(bold);
  lblCopyright = AddLabel("lblCopyright", "An editor for the 3DO models of Jedi Knight.", 52, 46);
  for (QLabel* label : {lblTitle, lblVersion, lblCopyright}) {
    label->adjustSize();
    label->installEventFilter(this);
  }
  pbxGrad = new TAboutStrip(this);
  pbxGrad->setGeometry(9, 45, 32, 252);
  BuildLinks();
  BuildGLGroup(frame);
  Button1 = new QPushButton("&OK", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(438, 304, 75, 25);
  Button1->setDefault(true);
  Button1->setFocusPolicy(Qt::NoFocus);  // no control holds the focus; Enter still presses OK
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* TAboutDialog::AddLabel(const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->move(x, y);
  return label;
}

void TAboutDialog::BuildLinks() {
  const QString readme = ReadmePath();
  lblReadme = readme.isEmpty() ? new QLabel(this) : Link("Read me", readme, this);
  lblReadme->setVisible(!readme.isEmpty());
  lblSettings = Link("Settings folder", QFileInfo(QString::fromStdString(SettingsFileName())).absolutePath(), this);
  lblReadme->setObjectName("lblReadme");
  lblSettings->setObjectName("lblSettings");
  for (auto [label, y] : {std::pair{lblReadme, 8}, std::pair{lblSettings, 26}}) {
    label->adjustSize();
    label->move(width() - 11 - label->width(), y);
  }
}

void TAboutDialog::BuildGLGroup(TViewportFrame* frame) {
  auto* gbxGL = new QGroupBox(" OpenGL ", this);
  gbxGL->setObjectName("gbxGL");
  gbxGL->setGeometry(52, 80, 461, 217);
  auto* inner = new QVBoxLayout(gbxGL);
  inner->setContentsMargins(5, 5, 5, 5);
  const QFont fixed("Courier New", 8);
  lblGL = new QLabel(gbxGL);
  lblGL->setObjectName("lblGL");
  lblGL->setFont(fixed);
  lblGL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblGL->setFixedHeight(63);
  inner->addWidget(lblGL);
  auto* scroll = new QScrollArea(gbxGL);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lblGLExt = new QLabel(scroll);
  lblGLExt->setObjectName("lblGLExt");
  lblGLExt->setFont(fixed);
  lblGLExt->setWordWrap(true);
  lblGLExt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scroll->setWidget(lblGLExt);
  inner->addWidget(scroll, 1);
  if (frame && frame->glaMain->Active()) {
    TGLArea& gl = *frame->glaMain;
    lblGL->setText(Text("Vendor     " + gl.VendorString() + "\nVersion    " + gl.VersionString() +
                        "\nRenderer   " + gl.RendererString() + "\nExtensions "));
    lblGLExt->setText(Text(gl.ExtensionsString()));
  } else {
    lblGL->setText(" N/A");
    lblGLExt->setText(" N/A");
  }
}

bool TAboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// Presses that controls leave unhandled come here too; only the background closes.
void TAboutDialog::mousePressEvent(QMouseEvent* event) {
  QDialog::mousePressEvent(event);
  if (!childAt(event->position().toPoint())) accept();
}
