// Prints the MIME type the shared-mime-info database (as found through XDG_DATA_DIRS) gives
// each file named on the command line, one per line: the lookup a desktop's file manager makes.

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTextStream out(stdout);
  const QMimeDatabase database;
  const QStringList files = QCoreApplication::arguments().mid(1);
  for (const QString& file : files) {
    out << database.mimeTypeForFile(file).name() << '\n';
  }
  return 0;
}
