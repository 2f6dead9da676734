#include "ui/Rivex2.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/ui/modal_closer.h"
#include "ui/Rivex1.h"
#include "ui/Rivex5.h"

using rivex::EngineState;
using rivex::testing::ModalCloser;
using rivex::ui::TForm1;
using rivex::ui::TForm2;
using rivex::ui::TForm5;

class Rivex2Test : public QObject {
    Q_OBJECT

  private:
    template <typename T>
    static T* Get(QWidget& w, const char* name) {
        return w.findChild<T*>(name);
    }

  private slots:
    void placeholderRowOnlyWithAt() {
        EngineState state;
        TForm2 plain(state, nullptr);
        plain.StartPass(nullptr);
        plain.show();
        QVERIFY(!Get<QWidget>(plain, "Label3")->isVisible());
        QVERIFY(!Get<QWidget>(plain, "Edit2")->isVisible());

        TForm2 series(state, nullptr);
        const std::string text = "07";
        series.StartPass(&text);
        series.show();
        QVERIFY(Get<QWidget>(series, "Edit2")->isVisible());
        QCOMPARE(Get<QLineEdit>(series, "Edit2")->text(), QString(" 07"));
    }

    void readProgressAndBusyBar() {
        EngineState state;
        TForm2 w(state, nullptr);
        w.StartPass(nullptr);
        w.ShowReadProgress({250, 1000, 1234567});
        auto* bar = Get<QProgressBar>(w, "ProgressBar1");
        QCOMPARE(bar->value() * 4, bar->maximum());
        QCOMPARE(Get<QLabel>(w, "Label4")->text(), QString("読込レコード数：1,234,567"));
        w.ShowReadProgress({250, std::nullopt, 3});
        QCOMPARE(bar->maximum(), 0);
    }

    void elapsedTimeCountsTicks() {
        EngineState state;
        TForm2 w(state, nullptr);
        w.StartPass(nullptr);
        QCOMPARE(Get<QLineEdit>(w, "Edit1")->text(), QString());
        state.ElapsedMs = 86399000;  // one tick before a whole day
        QTRY_COMPARE_WITH_TIMEOUT(Get<QLineEdit>(w, "Edit1")->text(), QString(" 00:00:00"), 3000);
        QCOMPARE(state.ElapsedMs, 86400000);
        state.ElapsedMs = 3599000;
        QTRY_COMPARE_WITH_TIMEOUT(Get<QLineEdit>(w, "Edit1")->text(), QString(" 01:00:00"), 3000);
    }

    void cancelAsksFirst() {
        EngineState state;
        TForm2 w(state, nullptr);
        w.StartPass(nullptr);
        w.show();
        auto* timer = w.findChild<QTimer*>("Timer1");
        {
            ModalCloser no(QMessageBox::No);
            QTest::mouseClick(Get<QPushButton>(w, "Button1"), Qt::LeftButton);
            QCOMPARE(no.texts, QStringList{"キャンセルしますか？"});
        }
        QVERIFY(!state.CancelFlag);
        QVERIFY(timer->isActive());
        {
            ModalCloser yes(QMessageBox::Yes);
            w.close();  // the title bar's close box asks the same
            QCOMPARE(yes.texts, QStringList{"キャンセルしますか？"});
        }
        QVERIFY(state.CancelFlag);
        QVERIFY(!timer->isActive());
        QVERIFY(w.isVisible());
    }

    // A run from the main window, cancelled from its progress window while it reads.
    void cancelDuringARun() {
        QTemporaryDir dir;
        QFile file(dir.filePath("in.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray block = QByteArray("x\r\n").repeated(1 << 20);
        for (int i = 0; i < 24; ++i) file.write(block);
        file.close();

        EngineState state;
        TForm1 form(state);
        auto* list = new TForm5(&form);
        form.SetWindows(nullptr, list);
        form.show();
        form.findChild<QLineEdit*>("Edit1")->setText(dir.filePath("in.txt"));
        form.findChild<QLineEdit*>("Edit2")->setText(dir.filePath("out.txt"));
        QTest::mouseClick(form.findChild<QRadioButton*>("RadioButton6"), Qt::LeftButton);
        QTest::mouseClick(form.findChild<QRadioButton*>("RadioButton8"), Qt::LeftButton);

        QTimer presser;
        connect(&presser, &QTimer::timeout, [&] {
            for (auto* progress : form.findChildren<TForm2*>()) {
                if (progress->isVisible()) progress->findChild<QPushButton*>("Button1")->click();
            }
        });
        presser.start(5);
        ModalCloser yes(QMessageBox::Yes);
        QTest::mouseClick(form.findChild<QPushButton*>("Button4"), Qt::LeftButton);
        presser.stop();

        const qint64 records = 24 << 20;
        QVERIFY2(state.run.SourceCount < records, "the run ended before it could be cancelled");
        QCOMPARE(state.run.OutputCount,
                 state.run.SourceCount - 1);  // the last one read is not written
        QCOMPARE(list->RunLog().size(), 4);
        QVERIFY(yes.texts.contains("キャンセルしますか？"));
        QCOMPARE(yes.texts.last(), QString("** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。"));
    }
};

QTEST_MAIN(Rivex2Test)
#include "rivex2_test.moc"
