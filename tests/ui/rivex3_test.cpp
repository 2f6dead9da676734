#include "ui/Rivex3.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "engine/codepage.h"
#include "tests/ui/modal_closer.h"
#include "ui/Rivex1.h"

using rivex::EngineState;
using rivex::testing::ModalCloser;
using rivex::ui::HelpLines;
using rivex::ui::TForm1;
using rivex::ui::TForm3;

class Rivex3Test : public QObject {
    Q_OBJECT

  private slots:
    // The 114 lines as first written, then the section added after them.
    void headingStandsOnItsLine_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("heading");
        const QList<std::pair<int, QString>> headings{{2, "(1) 入力の約束"},
                                                      {3, "  (ｱ) 半角ブランク"},
                                                      {9, "  (ｲ) 半角の - の使用"},
                                                      {14, "  (ｳ) 半角の \" の使用"},
                                                      {19, "  (ｴ) 半角の＠の使用"},
                                                      {23, "  (ｵ) 入力文字の最後はカンマがない"},
                                                      {27, "(2) 元ファイルの選択"},
                                                      {35, "(3) 抽出ファイルの選択"},
                                                      {44, "(4) 残りファイルの選択"},
                                                      {49, "(5) 取り消し"},
                                                      {53, "(6) 表側抽出の種類"},
                                                      {57, "  (ｱ) カウント抽出"},
                                                      {68, "　(ｲ) コード抽出"},
                                                      {71, "    a) キー位置"},
                                                      {80, "　　b) コード"},
                                                      {88, "　　c) 上のコード以外で抽出する"},
                                                      {92, "　　d) 元ファイルのコードの出現状況"},
                                                      {105, "(7) 非数値セルをゼロにする"},
                                                      {110, "(8) レコード数一覧"},
                                                      {114, "===== ヘルプ おわり ====="},
                                                      {116, "===== 追加の説明 ====="},
                                                      {118, "(9) レコードの表示"},
                                                      {126, "  (ｱ) ものさしのドラッグ"},
                                                      {133, "  (ｲ) 赤い文字"},
                                                      {138, "  (ｳ) 抽出の見本"},
                                                      {143, "(10) 改行"},
                                                      {154, "(11) 文字コード"},
                                                      {162, "(12) 条件ファイル"},
                                                      {170, "(13) 抽出の形式"},
                                                      {187, "===== 追加の説明 おわり ====="}};
        for (const auto& [number, heading] : headings) {
            QTest::addRow("line %d", number) << number << heading;
        }
    }

    void headingStandsOnItsLine() {
        QFETCH(int, number);
        QFETCH(QString, heading);
        QCOMPARE(HelpLines().value(number - 1), heading);
    }

    void textHasItsStructure() {
        const QStringList lines = HelpLines();
        QCOMPARE(lines.size(), 187);
        const QList<int> empty{1,   8,   13,  18,  22,  26,  34,  43,  48,  52,
                               56,  67,  70,  79,  87,  91,  104, 109, 113, 115,
                               117, 125, 132, 137, 142, 153, 161, 169, 186};
        for (int n = 1; n <= lines.size(); ++n) {
            QCOMPARE(lines[n - 1].isEmpty(), empty.contains(n));
            const auto bytes = rivex::ToCp932(lines[n - 1].toStdString());
            QVERIFY2(bytes.has_value(), qPrintable(QString("line %1 is not code page 932").arg(n)));
            QVERIFY2(bytes->size() <= 73, qPrintable(QString("line %1 is too wide").arg(n)));
        }
        for (const char* example : {"FILE@.txt", "01～47", "20-30, 40-50", "4-5, 7-9", "64KB",
                                    "EF BB BF", ".rivex.json"}) {
            QVERIFY2(lines.join('\n').contains(example), example);
        }
    }

    // The lines are broken by hand so that none wraps in the memo.
    void linesFitTheMemo() {
        TForm3 help(nullptr);
        help.show();
        auto* memo = help.findChild<QPlainTextEdit*>("Memo1");
        // A few pixels to spare: font rendering differs a little between displays.
        const int room =
            memo->viewport()->width() - 2 * int(memo->document()->documentMargin()) - 10;
        const QFontMetrics metrics(memo->font());
        QStringList wide;
        for (const QString& line : HelpLines()) {
            if (metrics.horizontalAdvance(line) > room) {
                wide << QString("%1 > %2: %3")
                            .arg(metrics.horizontalAdvance(line))
                            .arg(room)
                            .arg(line);
            }
        }
        QVERIFY2(wide.isEmpty(), qPrintable(wide.join('\n')));
    }

    void copyButtonIsDecidedAtEachShowing() {
        TForm3 help(nullptr);
        auto* copy = help.findChild<QPushButton*>("Button2");
        help.show();
        QVERIFY(!copy->isVisible());
        help.SetHelpCopyMode(true);
        help.show();  // already visible: brought to the front only
        QVERIFY(!copy->isVisible());
        help.hide();
        help.show();
        QVERIFY(copy->isVisible());
    }

    void copyTakesAllLines() {
        TForm3 help(nullptr);
        help.SetHelpCopyMode(true);
        help.show();
        help.findChild<QPlainTextEdit*>("Memo1")->selectAll();
        ModalCloser closer;
        QTest::mouseClick(help.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.startsWith("\r\n(1) 入力の約束\r\n"));
        QVERIFY(copied.contains("\r\n\r\n===== ヘルプ おわり =====\r\n\r\n"));
        QVERIFY(copied.endsWith("\r\n\r\n===== 追加の説明 おわり =====\r\n"));
        QCOMPARE(copied.count("\r\n"), 187);
        QCOMPARE(closer.texts, QStringList{"**「ｺﾋﾟｰ」が終わりました。"});
    }

    void helpButtonSetsTheCopyMode() {
        EngineState state;
        TForm1 form(state);
        auto* help = new TForm3(&form);
        form.SetWindows(help, nullptr);
        form.show();
        form.findChild<QLineEdit*>("Edit1")->setText("〒");
        QTest::mouseClick(form.findChild<QPushButton*>("Button7"), Qt::LeftButton);
        QVERIFY(help->HelpCopyMode());
        QVERIFY(help->isVisible());
        QVERIFY(help->findChild<QPushButton*>("Button2")->isVisible());
        form.findChild<QLineEdit*>("Edit1")->setText("〒〒");
        QTest::mouseClick(form.findChild<QPushButton*>("Button7"), Qt::LeftButton);
        QVERIFY(!help->HelpCopyMode());
    }
};

QTEST_MAIN(Rivex3Test)
#include "rivex3_test.moc"
