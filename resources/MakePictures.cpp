// Draws Numora's pictures: the splash picture, the program icon, the maker's logo and the
// seven button pictures, and renders the scalable icon drawing at the hicolor theme's sizes.
// The pictures are kept in this folder; run this only to make them anew:
//   cmake --build build --target numora_make_pictures
//   QT_QPA_PLATFORM=offscreen build/resources/numora_make_pictures resources

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <cstdio>
#include <functional>

namespace {

const QColor Magenta(255, 0, 255);

QFont sansSerif(int pixelSize, bool bold = false) {
  QFont font("DejaVu Sans");
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// A faded sketch of the main window: title bar, buttons, fields and the table grid.
void drawMainWindowSketch(QPainter& painter, QRect area) {
  painter.save();
  painter.setOpacity(0.35);
  painter.fillRect(area, QColor(236, 233, 216));
  painter.fillRect(QRect(area.left(), area.top(), area.width(), 12), QColor(10, 36, 106));
  for (int i = 0; i < 7; ++i) {
    painter.fillRect(QRect(area.left() + 6 + i * 18, area.top() + 16, 14, 11),
                     QColor(150, 150, 150));
  }
  for (int i = 0; i < 3; ++i) {
    painter.fillRect(QRect(area.left() + 18 + i * 50, area.top() + 31, 30, 9), Qt::white);
  }
  const QRect table(area.left() + 2, area.top() + 44, area.width() - 4, area.height() - 46);
  painter.fillRect(table, Qt::white);
  painter.setPen(QColor(160, 160, 160));
  for (int y = table.top(); y < table.bottom(); y += 9) {
    painter.drawLine(table.left(), y, table.right(), y);
  }
  for (const int x : {table.left() + 40, table.left() + 140, table.left() + 170}) {
    painter.drawLine(x, table.top(), x, table.bottom());
  }
  painter.restore();
}

QImage splashPicture() {
  QImage picture(376, 213, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 213);
  sky.setColorAt(0, QColor(18, 52, 110));
  sky.setColorAt(1, QColor(40, 120, 170));
  painter.fillRect(picture.rect(), sky);
  drawMainWindowSketch(painter, QRect(222, 28, 144, 172));
  painter.setPen(Qt::white);
  painter.setFont(sansSerif(40, true));
  painter.drawText(QRect(20, 40, 340, 60), Qt::AlignLeft | Qt::AlignVCenter, "Numora");
  painter.setFont(sansSerif(14));
  painter.setPen(QColor(220, 235, 255));
  painter.drawText(QRect(22, 100, 340, 24), Qt::AlignLeft | Qt::AlignVCenter,
                   "Exact calculation, row by row");
  painter.setFont(sansSerif(11));
  painter.drawText(QRect(22, 180, 340, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   "15 significant digits, every time");
  return picture;
}

// 32 x 32, 16 colours: a grid of light grey cells with a cyan header row.
QImage programIcon() {
  QImage icon(32, 32, QImage::Format_RGB32);
  icon.fill(QColor(128, 128, 128));
  QPainter painter(&icon);
  painter.fillRect(QRect(1, 1, 30, 30), QColor(224, 224, 224));
  painter.fillRect(QRect(1, 1, 30, 7), QColor(0, 255, 255));
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(QRect(0, 0, 31, 31));
  for (int y = 8; y < 31; y += 6) {
    painter.drawLine(1, y, 30, y);
  }
  for (int x = 11; x < 31; x += 10) {
    painter.drawLine(x, 1, x, 30);
  }
  painter.end();
  return icon.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

// The maker's logo: 300 x 115 pixels in 256 colours.
QImage makersLogo() {
  QImage logo(300, 115, QImage::Format_RGB32);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 300, 0);
  band.setColorAt(0, QColor(255, 255, 255));
  band.setColorAt(1, QColor(214, 232, 245));
  painter.fillRect(logo.rect(), band);
  // Three rising bars and a curve through them: numbers, calculated row by row.
  const QColor bars[] = {QColor(40, 120, 170), QColor(18, 52, 110), QColor(0, 170, 170)};
  for (int i = 0; i < 3; ++i) {
    painter.fillRect(QRect(22 + i * 22, 80 - i * 22, 16, 22 + i * 22), bars[i]);
  }
  painter.setPen(QPen(QColor(255, 120, 0), 3));
  painter.drawLine(18, 74, 92, 22);
  painter.setPen(QColor(18, 52, 110));
  painter.setFont(sansSerif(30, true));
  painter.drawText(QRect(110, 20, 185, 44), Qt::AlignLeft | Qt::AlignVCenter, "Numora");
  painter.setFont(sansSerif(18));
  painter.setPen(QColor(40, 120, 170));
  painter.drawText(QRect(112, 62, 185, 30), Qt::AlignLeft | Qt::AlignVCenter, "W O R K S");
  painter.end();
  return logo.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
}

// The grey table sheet that every button picture shows, on magenta, drawn `scale` times as
// large as its 16 x 16 pixels.
QImage sheet(int scale) {
  QImage picture(16 * scale, 16 * scale, QImage::Format_RGB32);
  picture.fill(Magenta);
  QPainter painter(&picture);
  painter.scale(scale, scale);
  painter.fillRect(QRect(1, 2, 12, 12), QColor(230, 230, 230));
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(QRect(1, 2, 11, 11));
  painter.drawLine(1, 5, 12, 5);
  painter.drawLine(1, 8, 12, 8);
  painter.drawLine(1, 11, 12, 11);
  painter.drawLine(6, 2, 6, 13);
  return picture;
}

using DrawSign = std::function<void(QPainter&)>;

// A button picture: the sheet and its sign, drawn at `scale` (2 for a screen scaled to twice
// the size, a drawing of its own rather than the small picture enlarged).
QImage buttonPicture(const DrawSign& drawSign, int scale) {
  QImage picture = sheet(scale);
  QPainter painter(&picture);
  painter.scale(scale, scale);
  drawSign(painter);
  return picture;
}

void fillPolygon(QPainter& painter, const QColor& colour, std::initializer_list<QPointF> points) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

// A green arrow that bends into the sheet (save) or out of it (open).
void bentArrow(QPainter& painter, bool intoSheet) {
  const QColor green(0, 150, 0);
  painter.setPen(QPen(green, 2));
  if (intoSheet) {
    painter.drawLine(14, 1, 14, 6);
    painter.drawLine(14, 6, 9, 6);
    fillPolygon(painter, green, {{9, 3}, {9, 10}, {5, 6.5}});
  } else {
    painter.drawLine(7, 8, 13, 8);
    painter.drawLine(13, 8, 13, 4);
    fillPolygon(painter, green, {{10, 4}, {16, 4}, {13, 0}});
  }
}

// The sizes in pixels at which desktops look for a program's icon in the hicolor theme.
constexpr int ThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage renderedIcon(QSvgRenderer& drawing, int size) {
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  drawing.render(&painter);
  return icon;
}

bool save(const QImage& picture, const QString& path, const char* format, int quality = -1) {
  QImageWriter writer(path, format);
  if (quality >= 0) {
    writer.setQuality(quality);
  }
  if (!writer.write(picture)) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
  }
  return true;
}

// The icon that the desktop entry names: icons/hicolor/scalable/apps/numora.svg, the one drawing,
// rendered anew at each of the theme's sizes into icons/hicolor/NxN/apps/numora.png.
bool saveThemeIcons(const QDir& folder) {
  const QString scalable = folder.filePath("icons/hicolor/scalable/apps/numora.svg");
  QSvgRenderer drawing(scalable);
  if (!drawing.isValid()) {
    std::fprintf(stderr, "cannot read the icon drawing %s\n", qPrintable(scalable));
    return false;
  }
  bool written = true;
  for (const int size : ThemeIconSizes) {
    const QString sizeFolder = QString("icons/hicolor/%1x%1/apps").arg(size);
    folder.mkpath(sizeFolder);
    written =
        save(renderedIcon(drawing, size), folder.filePath(sizeFolder + "/numora.png"), "png") &&
        written;
  }
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RESOURCE-FOLDER\n", argv[0]);
    return 2;
  }
  const QDir folder(argv[1]);
  folder.mkpath("buttons");
  const QColor orangeRed(255, 69, 0);
  const QColor yellow(255, 210, 0);
  bool written = save(splashPicture().convertToFormat(QImage::Format_RGB888),
                      folder.filePath("splash.jpg"), "jpg", 90) &&
                 save(programIcon(), folder.filePath("numora.png"), "png") &&
                 save(makersLogo(), folder.filePath("logo.png"), "png") && saveThemeIcons(folder);
  const struct {
    const char* name;
    DrawSign drawSign;
  } buttons[] = {
      {"new", DrawSign([&](QPainter& p) {
         fillPolygon(p, orangeRed,
                     {{12, 0},
                      {13, 4},
                      {16, 3},
                      {14, 6},
                      {16, 9},
                      {13, 8},
                      {12, 12},
                      {10, 8},
                      {7, 9},
                      {9, 6},
                      {7, 3},
                      {10, 4}});
       })},
      {"save", DrawSign([&](QPainter& p) { bentArrow(p, true); })},
      {"open", DrawSign([&](QPainter& p) { bentArrow(p, false); })},
      {"add", DrawSign([&](QPainter& p) {
         p.fillRect(QRect(8, 5, 8, 3), QColor(0, 160, 0));
         p.fillRect(QRect(10, 2, 3, 9), QColor(0, 160, 0));
       })},
      {"delete", DrawSign([&](QPainter& p) { p.fillRect(QRect(7, 4, 9, 4), QColor(210, 0, 0)); })},
      {"row", DrawSign([&](QPainter& p) {
         fillPolygon(p, yellow, {{12, 0}, {7, 8}, {10, 8}, {8, 15}, {15, 6}, {11, 6}, {14, 0}});
         p.setPen(QColor(160, 120, 0));
         p.setBrush(Qt::NoBrush);
         p.drawPolygon(QPolygonF(
             QList<QPointF>{{12, 0}, {7, 8}, {10, 8}, {8, 15}, {15, 6}, {11, 6}, {14, 0}}));
       })},
      {"all", DrawSign([&](QPainter& p) {
         p.setPen(QPen(QColor(60, 40, 20), 2));
         p.drawLine(4, 15, 11, 7);
         p.setPen(QPen(Qt::white, 2));
         p.drawLine(11, 7, 12, 6);
         fillPolygon(p, yellow,
                     {{13, 0}, {14, 3}, {16, 4}, {14, 5}, {13, 8}, {12, 5}, {10, 4}, {12, 3}});
       })},
  };
  for (const auto& button : buttons) {
    written = save(buttonPicture(button.drawSign, 1),
                   folder.filePath(QString("buttons/%1.png").arg(button.name)), "png") &&
              save(buttonPicture(button.drawSign, 2),
                   folder.filePath(QString("buttons/%1@2x.png").arg(button.name)), "png") &&
              written;
  }
  return written ? 0 : 1;
}
