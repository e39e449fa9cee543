#include "WCIU.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "TextPanel.h"
#include "WindowLook.h"

const char* const TInfoForm::WebAddress = "https://numora.example.org";

namespace {

QFont sansSerif(int pixelSize) {
  QFont font = windowLook::windowFont();
  font.setPixelSize(pixelSize);
  return font;
}

QLabel* whiteLabel(QWidget* parent, const char* name, const QString& text, int pixelSize) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(sansSerif(pixelSize));
  QPalette white = label->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(white);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->adjustSize();
  return label;
}

// A white panel with a sunken 3-D edge and a one-pixel bevel inside it.
class LogoPanel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QRect area = rect();
    windowLook::drawSunkenEdge(painter, area, palette());
    windowLook::drawRaisedBevel(painter, area, palette());
  }
};

// A picture at its natural size, centred in the widget and cut where it does not fit: with a
// picture 5 pixels wider than the widget, 2 columns go on the left and 3 on the right.
class CentredPicture : public QWidget {
 public:
  CentredPicture(const QPixmap& picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawPixmap((width() - picture_.width()) / 2, (height() - picture_.height()) / 2,
                       picture_);
  }

 private:
  QPixmap picture_;
};

}  // namespace

QStringList TInfoForm::creditsLines() {
  return {"Numora",
          "",
          "2006 Numora Works, by A. N. Example",
          WebAddress,
          "",
          "Logo von:",
          "https://logo.numora.example.org",
          "",
          "",
          "",
          "",
          "",
          "",
          "",
          ""};
}

TInfoForm::TInfoForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("InfoForm");
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle("Info");
  setFont(windowLook::windowFont());
  setFixedSize(301, 439);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(grey);
  setAutoFillBackground(true);

  Panel1 = new LogoPanel(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(0, 0, 301, 121);
  // The logo at its natural size, centred in the 295 x 115 area and cut at its sides.
  Image1 = new CentredPicture(QPixmap(":/logo.png"), Panel1);
  Image1->setObjectName("Image1");
  Image1->setGeometry(3, 3, 295, 115);

  Label5 = whiteLabel(this, "Label5", "Numora", 32);
  Label5->move(64, 136);

  TextPanel1 = new TTextPanel(this);
  TextPanel1->setObjectName("TextPanel1");
  TextPanel1->setGeometry(19, 176, 262, 193);
  TextPanel1->setItems(creditsLines());
  TextPanel1->setTextFont(windowLook::arialFont(11));
  TextPanel1->setTextColor(Qt::black);
  TextPanel1->setTextAlignment(TTextPanel::Alignment::Centre);
  TextPanel1->setInterval(40);
  TextPanel1->setStepSize(1);
  TextPanel1->setEnableTimer(true);
  TextPanel1->setColor(Qt::white);
  TextPanel1->setBevelOuter(TTextPanel::Bevel::None);
  TextPanel1->setBorderStyle(TTextPanel::Border::Single);
  TextPanel1->setBiDiMode(TTextPanel::BiDiMode::RightToLeft);

  BitBtn1 = new QPushButton("OK", this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setGeometry(120, 384, 75, 25);
  BitBtn1->setDefault(true);
  BitBtn1->setAutoDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TInfoForm::BitBtn1Click);

  Label2 = whiteLabel(this, "Label2", WebAddress, 12);
  Label2->move(16, 413);
  Label2->setCursor(Qt::PointingHandCursor);
  Label2->installEventFilter(this);

  setTabOrder(BitBtn1, TextPanel1);
  BitBtn1->setFocus();
}

void TInfoForm::BitBtn1Click() { close(); }

// The shell's answer is not examined: without a browser nothing happens.
void TInfoForm::Label2Click() { QDesktopServices::openUrl(QUrl(WebAddress)); }

// Centred on the screen the first time; afterwards where the user left it.
void TInfoForm::showEvent(QShowEvent* event) {
  if (!placed_) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      move(screen->availableGeometry().center() - rect().center());
    }
    placed_ = true;
  }
  QWidget::showEvent(event);
}

// Enter presses the default button "OK", whichever control has the focus.
void TInfoForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    BitBtn1->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label2 && event->type() == QEvent::MouseButtonRelease) {
    Label2Click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
