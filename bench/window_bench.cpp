// Times one whole-record run started from the main window, offscreen: fills the controls,
// presses the extract button, and prints the milliseconds until the closing message shows.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

#include "Rivex1.h"
#include "Rivex5.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_bench SOURCE OUTPUT\n");
        return 64;
    }
    QApplication app(argc, argv);
    rivex::EngineState state;
    rivex::ui::TForm1 form(state);
    form.SetWindows(nullptr, new rivex::ui::TForm5(&form));
    form.show();
    form.findChild<QLineEdit*>("Edit1")->setText(QString::fromLocal8Bit(argv[1]));
    form.findChild<QLineEdit*>("Edit2")->setText(QString::fromLocal8Bit(argv[2]));
    form.findChild<QRadioButton*>("RadioButton6")->click();
    form.findChild<QRadioButton*>("RadioButton8")->click();

    QElapsedTimer clock;
    qint64 elapsed = -1;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (elapsed < 0) elapsed = clock.elapsed();
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(1);
    clock.start();
    form.findChild<QPushButton*>("Button4")->click();
    std::printf("%lld %lld\n", static_cast<long long>(elapsed),
                static_cast<long long>(state.run.TotalOutputCount));
    return elapsed < 0 ? 1 : 0;
}
