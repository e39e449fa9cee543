#include "CommandLine.h"

#include <QCommandLineParser>

#ifndef NUMORA_VERSION
#define NUMORA_VERSION "unknown"
#endif

namespace {

// The options every Qt program takes; they are accepted here, left out of the help and
// handled by QApplication itself.
void acceptQtOptions(QCommandLineParser& parser) {
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "display", "geometry",
                           "style", "stylesheet", "session", "qmljsdebugger"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

QString usageFault(QString problem) {
  while (problem.endsWith(QLatin1Char('.'))) {
    problem.chop(1);
  }
  return QStringLiteral("numora: %1. Try 'numora --help'.").arg(problem);
}

QString helpText(const QString& options) {
  return QStringLiteral(
             "Usage: numora [options] [TABLE]\n"
             "Numora: an exact calculator for a table of named formulas.\n"
             "With TABLE, the table file (.TBE) is opened after the start, as File > Open "
             "would.\n\n") +
         options.mid(options.indexOf(QStringLiteral("Options:"))).trimmed();
}

}  // namespace

CommandLine readCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  parser.addOption(help);
  parser.addOption(version);
  parser.addPositionalArgument(QStringLiteral("TABLE"),
                               QStringLiteral("The table file (.TBE) to open."),
                               QStringLiteral("[TABLE]"));
  acceptQtOptions(parser);

  CommandLine line;
  if (!parser.parse(arguments)) {
    line.request = CommandLine::Request::WrongUsage;
    line.text = usageFault(parser.errorText());
  } else if (parser.isSet(help)) {
    line.request = CommandLine::Request::ShowHelp;
    line.text = helpText(parser.helpText());
  } else if (parser.isSet(version)) {
    line.request = CommandLine::Request::ShowVersion;
    line.text = QStringLiteral("numora " NUMORA_VERSION);
  } else if (parser.positionalArguments().size() > 1) {
    line.request = CommandLine::Request::WrongUsage;
    line.text = usageFault(QStringLiteral("give at most one table file"));
  } else if (parser.positionalArguments().size() == 1) {
    line.tableFile = parser.positionalArguments().constFirst();
  }
  return line;
}
