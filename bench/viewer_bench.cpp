// Times the record viewer on a file, offscreen: from the press of the main window's 表示
// button to the first screen painted with its preview, then a jump to a far record; prints
// both in milliseconds and the KiB the viewer added to the program's resident size.
//   viewer_bench SOURCE JUMP_RECORD
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

#include "bench/resident.h"
#include "ui/Rivex1.h"
#include "ui/Rivex6.h"
#include "ui/record_view.h"

using rivex::bench::ResidentKiB;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: viewer_bench SOURCE JUMP_RECORD\n");
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
    viewer->repaint();
    const qint64 firstScreen = clock.elapsed();

    clock.restart();
    viewer->findChild<QLineEdit*>("Edit12")->setText(QString::fromLocal8Bit(argv[2]));
    viewer->findChild<QPushButton*>("Button13")->click();
    viewer->findChild<rivex::ui::RecordView*>()->viewport()->repaint();
    const qint64 jump = clock.elapsed();
    std::printf("%lld %lld %ld\n", static_cast<long long>(firstScreen),
                static_cast<long long>(jump), ResidentKiB() - before);
    return 0;
}
