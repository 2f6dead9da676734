#include "ui/Rivex5.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "engine/platform_error.h"
#include "tests/ui/modal_closer.h"
#include "ui/fonts.h"
#include "ui/print_layout.h"
#include "ui/runlog_output.h"

using rivex::testing::ModalCloser;
using rivex::ui::LineMetrics;
using rivex::ui::PrintedPiece;
using rivex::ui::TForm5;

namespace {

// Every character 10 units wide, every piece 12 units high.
class FixedMetrics : public LineMetrics {
  public:
    int Width(const QString& text) const override { return 10 * static_cast<int>(text.size()); }
    int Height(const QString&) const override { return 12; }
    int CharHeight() const override { return 12; }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}  // namespace

class Rivex5Test : public QObject {
    Q_OBJECT

  private slots:
    void layoutBreaksWideLinesBetweenCharacters() {
        const FixedMetrics m;
        // 100 units hold 10 characters; the surrogate pair counts as one character.
        const QString wide = QString("abcdefghi") + QString::fromUtf8("𠮷") + "xyz";
        const auto pieces = rivex::ui::LayOutLines({wide, "end"}, m, 100, 1000);
        QCOMPARE(pieces.size(), size_t(3));
        QCOMPARE(pieces[0].text, QString("abcdefghi"));
        QCOMPARE(pieces[1].text, QString::fromUtf8("𠮷") + "xyz");
        QCOMPARE(pieces[1].y, 14);  // H = h + 2
        QCOMPARE(pieces[2].y, 28);
        QCOMPARE(pieces[2].x, 0);
    }

    void layoutBreaksPages() {
        const FixedMetrics m;
        // y after a line grows by 14; a page ends once y > 60 - 28, so after the third line.
        const auto pieces = rivex::ui::LayOutLines({"1", "2", "3", "4", "5"}, m, 100, 60);
        QCOMPARE(pieces.size(), size_t(5));
        QCOMPARE(pieces[2].page, 0);
        QCOMPARE(pieces[2].y, 28);
        QCOMPARE(pieces[3].page, 1);
        QCOMPARE(pieces[3].y, 0);
        QVERIFY(rivex::ui::LayOutLines({}, m, 100, 60).empty());
        // A character wider than the page is placed alone, and the job still ends.
        QCOMPARE(rivex::ui::LayOutLines({"ab"}, m, 5, 60).size(), size_t(2));
    }

    void copyTakesTheWholeRunLog() {
        TForm5 w(nullptr);
        w.AppendRunLog("元ファイル名　：a.txt");
        w.AppendRunLog(" 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：3");
        w.findChild<QPlainTextEdit*>("Memo1")->selectAll();
        ModalCloser closer;
        QTest::mouseClick(w.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("元ファイル名　：a.txt\r\n 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：3\r\n"));
        QCOMPARE(closer.texts, QStringList{"**「ｺﾋﾟｰ」が終わりました。"});

        w.ClearRunLog();
        QTest::mouseClick(w.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QString());
        QCOMPARE(closer.texts.size(), 2);
    }

    // Where no printer is installed the printer writes PDF, for which Qt's page setup only
    // warns on standard error.
    void printAsksWithoutWarnings() {
        TForm5 w(nullptr);
        w.show();
        // Every warning but the offscreen platform's own.
        QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support)"));
        QTimer dialogs;  // the font and print dialogs are cancelled
        connect(&dialogs, &QTimer::timeout, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && qobject_cast<QMessageBox*>(dialog) == nullptr) {
                dialog->reject();
            }
        });
        dialogs.start(5);
        ModalCloser closer;
        QTest::mouseClick(w.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        QCOMPARE(closer.texts, QStringList{"** プリンターが用意されていません。"});
    }

    void saveWritesShiftJisLines() {
        QTemporaryDir dir;
        const QString path = dir.filePath("new/sub/log.txt");
        rivex::ui::SaveRunLog(path, {"表 a", QString::fromUtf8("한"), ""});
        QCOMPARE(ReadAll(path), QByteArray("\x95\x5C a\r\n?\r\n\r\n"));
        rivex::ui::SaveRunLog(path, {});  // replaced without a question
        QCOMPARE(ReadAll(path), QByteArray());
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY_THROWS_EXCEPTION(rivex::PlatformError,
                                 rivex::ui::SaveRunLog(dir.filePath("plain/log.txt"), {"a"}));
    }

    void printOfAnEmptyRunLog() {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("empty.pdf"));
        rivex::ui::PrintRunLog(printer, rivex::ui::JapaneseFont(rivex::ui::Face::GothicProp, 12),
                               {});
        QVERIFY(QFile(dir.filePath("empty.pdf")).size() > 0);
    }

    void printToPdf() {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("log.pdf"));
        QFont font = rivex::ui::JapaneseFont(rivex::ui::Face::GothicProp, 12);
        font.setPointSize(9);
        rivex::ui::PrintRunLog(printer, font, {"元ファイル名　：in.txt", " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：2"});
        QProcess text;
        text.start("pdftotext", {"-bbox", dir.filePath("log.pdf"), "-"});
        QVERIFY(text.waitForFinished());
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(words.contains("元ファイル名") && words.contains("抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：2"),
                 qPrintable(words));
        // The first word stands right of the printable area's edge by five blanks.
        const QRegularExpression firstWord("<word xMin=\"([0-9.]+)\"");
        const double xMin = firstWord.match(words).captured(1).toDouble();
        const double margin = printer.pageLayout().paintRect(QPageLayout::Point).left();
        const double blanks =
            QFontMetricsF(font, &printer).horizontalAdvance("     ") * 72.0 / printer.resolution();
        QVERIFY2(
            qAbs(xMin - margin - blanks) < 1.0,
            qPrintable(QString("x %1, margin %2, blanks %3").arg(xMin).arg(margin).arg(blanks)));
    }
};

QTEST_MAIN(Rivex5Test)
#include "rivex5_test.moc"
