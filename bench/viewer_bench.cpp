// Times the record viewer on a file, offscreen: from the press of the main window's 表示
// button to the first screen read and painted, then a jump to a far record; prints both in
// milliseconds, the KiB the viewer added to the program's resident size, and the longest
// the window thread went without answering while the file was read (ms), as a user's
// repaint would wait.
//   viewer_bench SOURCE JUMP_RECORD [CODE]
// With CODE, records are then chosen by that code at the first columns, and the longest the
// window thread went unanswered while that preview was read follows (ms): a code that
// matches nothing has the preview read as far as it reads at all.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "bench/resident.h"
#include "ui/Rivex1.h"
#include "ui/Rivex6.h"
#include "ui/record_view.h"
#include "ui/string_grid.h"

using rivex::bench::ResidentKiB;

namespace {

// The longest wait between two turns of the event loop, measured by a timer due every 5 ms.
class LoopWatch : public QObject {
  public:
    LoopWatch() {
        connect(&timer_, &QTimer::timeout, this,
                [this] { longest_ = std::max(longest_, since_.restart()); });
        since_.start();
        timer_.start(5);
    }
    qint64 Longest() const { return longest_; }

  private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

// The event loop until the records in view and the preview have been read.
void Settle(rivex::ui::TForm6& viewer) {
    auto* view = viewer.findChild<rivex::ui::RecordView*>();
    auto* heading = viewer.findChild<QLabel*>("Label29");
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!view->Reading() && !heading->text().contains("読んでいます")) loop.quit();
    });
    poll.start(5);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: viewer_bench SOURCE JUMP_RECORD [CODE]\n");
        return 64;
    }
    QApplication app(argc, argv);
    rivex::EngineState state;
    rivex::ui::TForm1 form(state);
    form.ChooseSource(QString::fromLocal8Bit(argv[1]));
    form.findChild<QRadioButton*>("RadioButton6")->click();
    form.findChild<QRadioButton*>("RadioButton8")->click();
    form.show();
    QApplication::processEvents();
    const long before = ResidentKiB();

    QElapsedTimer clock;
    clock.start();
    form.findChild<QPushButton*>("Button12")->click();
    auto* viewer = form.Viewer();
    // From the window's first paint, which loads its fonts, on: the reading follows.
    viewer->repaint();
    LoopWatch watch;
    Settle(*viewer);
    viewer->repaint();
    const qint64 firstScreen = clock.elapsed();

    clock.restart();
    viewer->findChild<QLineEdit*>("Edit12")->setText(QString::fromLocal8Bit(argv[2]));
    viewer->findChild<QPushButton*>("Button13")->click();
    Settle(*viewer);
    viewer->findChild<rivex::ui::RecordView*>()->viewport()->repaint();
    const qint64 jump = clock.elapsed();
    std::printf("%lld %lld %ld %lld", static_cast<long long>(firstScreen),
                static_cast<long long>(jump), ResidentKiB() - before,
                static_cast<long long>(watch.Longest()));
    if (argc == 4) {
        const QString code = QString::fromLocal8Bit(argv[3]);
        LoopWatch previewWatch;
        form.SetKeyPositions(QString("1-%1").arg(code.size()).toStdString());
        form.findChild<rivex::ui::StringGrid*>("StringGrid2")->SetCell(1, 1, code);
        // The viewer takes up the main window's changes once they have settled a while.
        QEventLoop pause;
        QTimer::singleShot(500, &pause, &QEventLoop::quit);
        pause.exec();
        Settle(*viewer);
        std::printf(" %lld", static_cast<long long>(previewWatch.Longest()));
    }
    std::printf("\n");
    return 0;
}
