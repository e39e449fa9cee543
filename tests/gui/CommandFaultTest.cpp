// How the main window reports what goes wrong in a command: memory running out, faults of
// other kinds, a file to open that is no regular file; and a save onto a symbolic link.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>
#include <QToolButton>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>

#include "FaultBox.h"
#include "Faults.h"
#include "MainWindowActions.h"
#include "MainWindowFixture.h"
#include "RowCommands.h"
#include "SEHU.h"
#include "TableFile.h"

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

// Turns a test that would wait forever on a FIFO into a failing one: once `patience` has
// passed, it opens the FIFO for writing and closes it again, over and over, so that a reader
// blocked in opening it gets going and reads its end. `fired` tells whether that was needed.
class FifoWatchdog {
 public:
  FifoWatchdog(std::string fifo, std::chrono::seconds patience)
      : fifo_(std::move(fifo)), thread_([this, patience] { watch(patience); }) {}
  ~FifoWatchdog() { stop(); }
  FifoWatchdog(const FifoWatchdog&) = delete;
  FifoWatchdog& operator=(const FifoWatchdog&) = delete;

  // Ends the watch; whether a reader had to be set going.
  bool stop() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopped_ = true;
    }
    woken_.notify_all();
    if (thread_.joinable()) {
      thread_.join();
    }
    return fired_;
  }

 private:
  void watch(std::chrono::seconds patience) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (woken_.wait_for(lock, patience, [this] { return stopped_; })) {
      return;
    }
    while (!woken_.wait_for(lock, std::chrono::milliseconds(100), [this] { return stopped_; })) {
      const int writer = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) {
        fired_ = true;
        ::close(writer);
      }
    }
  }

  std::string fifo_;
  std::mutex mutex_;
  std::condition_variable woken_;
  bool stopped_ = false;
  bool fired_ = false;
  std::thread thread_;
};

}  // namespace

class CommandFaultTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  // Memory running out anywhere in a command is shown as the out-of-memory fault; any other
  // fault shows its own text; a fault of Numora's own shows its box message.
  void aCommandsFaultIsShownInTheFaultBox_data() {
    QTest::addColumn<std::function<void()>>("command");
    QTest::addColumn<QString>("text");
    QTest::newRow("out of memory") << std::function<void()>([] { throw std::bad_alloc(); })
                                   << "Nicht genügend Arbeitsspeicher.";
    QTest::newRow("array too long")
        << std::function<void()>([] { throw std::bad_array_new_length(); })
        << "Nicht genügend Arbeitsspeicher.";
    QTest::newRow("other fault") << std::function<void()>([] {
      throw std::runtime_error("Platte voll");
    }) << "Platte voll.";
    QTest::newRow("box message") << std::function<void()>([] {
      throw numora::Exception("ganz lang", "kurz");
    }) << "kurz.";
  }
  void aCommandsFaultIsShownInTheFaultBox() {
    QFETCH(std::function<void()>, command);
    QFETCH(QString, text);
    const auto seen = readFaultBox();
    runCommand(window_.get(), command);
    QCOMPARE(seen->text, text);
    QCOMPARE(seen->buttons, QStringList({"OK"}));
  }

  // Open of a FIFO shows the open fault at once instead of waiting for a writer; the table
  // stays as it was.
  void openingAFifoShowsTheOpenFaultAtOnce() {
    numora::test::TemporaryFolder folder;
    const std::string fifo = folder.path("pipe.TBE");
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    FifoWatchdog watchdog(fifo, std::chrono::seconds(10));
    answerFileDialog(QString::fromStdString(fifo));
    const auto seen = readFaultBox();
    QTest::mouseClick(control<QToolButton>(*window_, "SpeedButton2"), Qt::LeftButton);
    QVERIFY2(!watchdog.stop(), "Open waited for a writer to the FIFO");
    QCOMPARE(seen->text, "Datei \"" + QString::fromStdString(fifo) +
                             "\" kann nicht geöffnet werden. Keine reguläre Datei.");
    QCOMPARE(linesOf(window_->table()), QStringList({"New element|2*x||1"}));
  }

  // Save onto a symbolic link writes the table into the file the link points to; the link
  // stays a link, and no other file is left in the folder.
  void savingOntoALinkReplacesTheFileItPointsTo() {
    numora::test::TemporaryFolder folder;
    numora::saveTable(numora::test::tableOfTerms({"1", "2"}), folder.path("real.TBE"));
    std::filesystem::create_symlink("real.TBE", folder.path("alias.TBE"));
    answerFileDialog(QString::fromStdString(folder.path("alias.TBE")));
    // The dialog asks whether to replace the existing file.
    whenModalOpens<QMessageBox>(
        [](QMessageBox* question) { question->button(QMessageBox::Yes)->click(); });
    QTest::mouseClick(control<QToolButton>(*window_, "SpeedButton1"), Qt::LeftButton);
    QVERIFY(!modalWindowOpen());
    QVERIFY(std::filesystem::is_symlink(folder.path("alias.TBE")));
    QCOMPARE(
        QString::fromStdString(std::filesystem::read_symlink(folder.path("alias.TBE")).string()),
        QString("real.TBE"));
    numora::RowTable saved;
    numora::openTable(saved, folder.path("real.TBE"));
    QCOMPARE(linesOf(saved), QStringList({"New element|2*x||1"}));
    QStringList files;
    for (const std::string& name : folder.fileNames()) {
      files << QString::fromStdString(name);
    }
    QCOMPARE(files, QStringList({"alias.TBE", "real.TBE"}));
  }

 private:
  void prepare() override {
    numora::addRow(window_->table(), -1);
    numora::storeTerm(window_->table(), 0, "2*x");
  }
};

QTEST_MAIN(CommandFaultTest)
#include "CommandFaultTest.moc"
