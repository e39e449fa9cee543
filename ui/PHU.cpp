#include "PHU.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "FaultBox.h"
#include "Faults.h"
#include "WindowLook.h"

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form3");
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle("Print");
  setFont(windowLook::windowFont());
  WebBrowser1 = new QTextBrowser(this);
  WebBrowser1->setObjectName("WebBrowser1");
  WebBrowser1->setOpenLinks(false);
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(41);
  Button1 = new QPushButton("Print", Panel1);
  Button1->setObjectName("Button1");
  Button1->setGeometry(8, 8, 97, 25);
  Button1->setAutoDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(WebBrowser1, 1);
  layout->addWidget(Panel1);
  setTabOrder(Button1, WebBrowser1);
  Button1->setFocus();
  windowLook::placeWindow(this, 192, 114, 870, 600);
}

void TForm3::showPage(const QString& path) {
  QFile page(path);
  if (!page.open(QIODevice::ReadOnly)) {
    throw numora::cannotOpenFileFault(path.toStdString(), page.errorString().toStdString());
  }
  WebBrowser1->setHtml(QString::fromUtf8(page.readAll()));
  pagePath_ = path;
  windowLook::showBeside(this);
}

void TForm3::Button1Click() {
  runCommand(this, [this] {
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName("PrintPreview");
    connect(&preview, &QPrintPreviewDialog::paintRequested, WebBrowser1,
            [this](QPrinter* target) { WebBrowser1->print(target); });
    preview.exec();
  });
}
