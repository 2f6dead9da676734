// Times one whole-record run started from the main window, offscreen: fills the controls,
// presses the extract button, and prints the milliseconds until the closing message shows.
// A first run on an empty file loads the fonts and such, as a program that has been in use
// has them.
//   window_bench SOURCE OUTPUT: prints the milliseconds and the records written.
//   window_bench SOURCE OUTPUT N: SOURCE holds "@", a series over "00001" to N (five digits);
//     prints the milliseconds, the records written, and the KiB the series added to the
//     program's resident size.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

#include "bench/resident.h"
#include "ui/Rivex1.h"
#include "ui/Rivex4.h"
#include "ui/Rivex5.h"

using rivex::bench::ResidentKiB;

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: window_bench SOURCE OUTPUT [N]\n");
        return 64;
    }
    const QString seriesEnd = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
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
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (elapsed < 0) elapsed = clock.elapsed();
            box->done(QMessageBox::Ok);
        } else if (auto* dialog = qobject_cast<rivex::ui::TForm4*>(modal)) {
            dialog->findChild<QLineEdit*>("Edit1")->setText("00001");
            dialog->findChild<QLineEdit*>("Edit2")->setText(seriesEnd);
            dialog->findChild<QCheckBox*>("CheckBox1")->setChecked(true);
            dialog->findChild<QPushButton*>("Button1")->click();
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
    const long before = ResidentKiB();
    press(QString::fromLocal8Bit(argv[1]), output);
    std::printf("%lld %lld", static_cast<long long>(elapsed),
                static_cast<long long>(state.run.TotalOutputCount));
    if (!seriesEnd.isEmpty()) std::printf(" %ld", ResidentKiB() - before);
    std::printf("\n");
    return elapsed < 0 ? 1 : 0;
}
