// Times one whole-record run started from the main window, offscreen: fills the controls,
// presses the extract button, and prints the milliseconds until the closing message shows.
// A first run on an empty file loads the fonts and such, as a program that has been in use
// has them.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

#include "ui/Rivex1.h"
#include "ui/Rivex5.h"

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
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString warmUp = output + ".empty";
    QFile(warmUp).open(QIODevice::WriteOnly);
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
    const auto press = [&](const QString& source, const QString& target) {
        form.findChild<QLineEdit*>("Edit1")->setText(source);
        form.findChild<QLineEdit*>("Edit2")->setText(target);
        elapsed = -1;
        clock.start();
        form.findChild<QPushButton*>("Button4")->click();
    };
    press(warmUp, warmUp + ".out");
    QFile::remove(warmUp + ".out");
    QFile::remove(warmUp);
    press(QString::fromLocal8Bit(argv[1]), output);
    std::printf("%lld %lld\n", static_cast<long long>(elapsed),
                static_cast<long long>(state.run.TotalOutputCount));
    return elapsed < 0 ? 1 : 0;
}
