#include "ui/Rivex6.h"

#include <sys/stat.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/modal_closer.h"
#include "ui/Rivex1.h"
#include "ui/record_marks.h"
#include "ui/record_text.h"
#include "ui/record_view.h"
#include "ui/string_grid.h"
#include "ui/window_place.h"

using rivex::CodePage;
using rivex::Conditions;
using rivex::EngineState;
using rivex::FieldItem;
using rivex::FieldModes;
using rivex::SelectModes;
using rivex::testing::ModalCloser;
using rivex::ui::MarkColumns;
using rivex::ui::PlaceBeside;
using rivex::ui::RecordView;
using rivex::ui::ScrollWhenLarger;
using rivex::ui::StringGrid;
using rivex::ui::TForm1;
using rivex::ui::TForm6;

class Rivex6Test : public QObject {
    Q_OBJECT

  private:
    // The main window with the viewer open on a file of `records`, each CR LF ended.
    struct Viewer {
        QTemporaryDir dir;
        EngineState state;
        TForm1 form{state};
        TForm6* viewer = nullptr;
        RecordView* view = nullptr;

        explicit Viewer(const QByteArray& records) {
            QFile file(dir.filePath("in.txt"));
            file.open(QIODevice::WriteOnly);
            file.write(records);
            file.close();
            form.ChooseSource(file.fileName());
            form.show();
            form.OpenViewer();
            viewer = form.Viewer();
            view = viewer->findChild<RecordView*>("RecordView1");
            Q_ASSERT(view);
            Read();
        }
        // Once the records in view have been read.
        bool Read() const {
            return QTest::qWaitFor([this] { return !view->Reading(); }, 20000);
        }
        // The centre of byte column `column` on the ruler.
        QPoint Ruler(int column) const {
            QPoint pos(0, 4);
            while (view->ColumnAt(pos) < column) pos.rx() += 1;
            const int left = pos.x();
            while (view->ColumnAt(pos) == column) pos.rx() += 1;
            return {(left + pos.x()) / 2, 4};
        }
        // Out past the drag distance and on to `to`: a drag that may end where it began.
        void Drag(int from, int to, Qt::KeyboardModifiers keys = {}) {
            QWidget* ruler = view->viewport();
            QTest::mousePress(ruler, Qt::LeftButton, keys, Ruler(from));
            const QPoint away = Ruler(to) + QPoint(0, QApplication::startDragDistance());
            for (const QPoint pos : {away, Ruler(to)}) {
                QMouseEvent move(QEvent::MouseMove, pos, ruler->mapToGlobal(pos), Qt::NoButton,
                                 Qt::LeftButton, keys);
                QApplication::sendEvent(ruler, &move);
            }
            QTest::mouseRelease(ruler, Qt::LeftButton, keys, Ruler(to));
        }
        QString Cell(int column, int row) {
            return form.findChild<StringGrid*>("StringGrid1")->Cell(column, row);
        }
        // The viewer once it has taken up the main window's latest change and read its preview.
        template <typename T>
        T* Settled(const char* name) {
            QTest::qWait(300);
            auto* heading = viewer->findChild<QLabel*>("Label29");
            if (!QTest::qWaitFor([heading] { return !heading->text().contains("読んでいます"); })) {
                QTest::qFail("the preview is still being read", __FILE__, __LINE__);
            }
            return viewer->findChild<T*>(name);
        }
    };

    static QByteArray Records(int count, const QByteArray& record) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) bytes += record + "\r\n";
        return bytes;
    }

    QTemporaryDir settings_;

  private slots:
    // Where the viewer leaves its place and size: away from the user's own.
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    }

    // Columns under the mouse follow the horizontal scroll; the record numbers are no column.
    void rulerHitTesting() {
        Viewer v(Records(3, QByteArray(300, 'a')));
        const QPoint at = v.Ruler(4);
        QCOMPARE(v.view->ColumnAt(QPoint(2, 4)), 0);
        v.view->horizontalScrollBar()->setValue(10);
        QCOMPARE(v.view->ColumnAt(at), 14);
    }

    // A drag adds a field row, right to left as well; Shift fills the repeat of the last row
    // up to the last repetition that fits the top record; Ctrl adds key items.
    void spansFillTheGrids() {
        Viewer v(Records(5, QByteArray(40, '0')));
        v.Drag(7, 3);
        v.Drag(1, 2);
        QCOMPARE(v.Cell(1, 1), QString("3"));
        QCOMPARE(v.Cell(2, 1), QString("7"));
        QCOMPARE(v.Cell(1, 2), QString("1"));
        QCOMPARE(v.Cell(2, 2), QString("2"));
        QVERIFY(v.form.findChild<QRadioButton*>("RadioButton7")->isChecked());
        v.Drag(11, 11, Qt::ShiftModifier);
        QCOMPARE(v.Cell(3, 2), QString("11"));
        QCOMPARE(v.Cell(4, 2), QString("31"));  // at pitch 10, the last pair in 40 bytes
        v.Drag(1, 2, Qt::ControlModifier);
        v.Drag(5, 5, Qt::ControlModifier);
        QCOMPARE(v.form.findChild<QLineEdit*>("Edit3")->text(), QString("1-2,5"));
        QVERIFY(v.form.findChild<QRadioButton*>("RadioButton2")->isChecked());
        // The code grid is empty: the preview says why nothing would be written.
        QCOMPARE(v.Settled<QPlainTextEdit>("Memo1")->toPlainText(),
                 QString("** ｺｰﾄﾞ指定がありません。"));
    }

    // A click, or a press that moves less than the drag distance, changes nothing.
    void aClickIsNoDrag() {
        Viewer v(Records(3, QByteArray(40, '0')));
        QTest::mouseClick(v.view->viewport(), Qt::LeftButton, {}, v.Ruler(4));
        QTest::mouseClick(v.view->viewport(), Qt::LeftButton, {}, v.Ruler(6) + QPoint(0, 30));
        QTest::mousePress(v.view->viewport(), Qt::LeftButton, {}, v.Ruler(8));
        QTest::mouseMove(v.view->viewport(), v.Ruler(9));
        QTest::mouseRelease(v.view->viewport(), Qt::LeftButton, {}, v.Ruler(9));
        QCOMPARE(v.Cell(1, 1), QString());
        QVERIFY(!v.form.findChild<QRadioButton*>("RadioButton7")->isChecked());
    }

    // The viewed file removed, or replaced by a FIFO that would hold an open: scrolling says
    // so in the preview's place, and the program goes on.
    void fileGoneWhileViewed_data() {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QString>("message");
        QTest::newRow("removed") << false << "ファイルが見つかりません";
        QTest::newRow("fifo") << true << "レコードを表示できるのは通常のファイルだけです";
    }
    void fileGoneWhileViewed() {
        QFETCH(bool, fifo);
        QFETCH(QString, message);
        Viewer v(Records(3000, "0123"));
        const QByteArray path = QFile::encodeName(v.dir.filePath("in.txt"));
        QVERIFY(QFile::remove(path));
        if (fifo) QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        v.view->verticalScrollBar()->setValue(2000);
        QTRY_VERIFY(
            v.viewer->findChild<QPlainTextEdit*>("Memo1")->toPlainText().startsWith(message));
        QCOMPARE(v.view->TopRecordLength(), 0u);
        v.form.findChild<QRadioButton*>("RadioButton6")->click();  // the preview tries too
        v.form.findChild<QRadioButton*>("RadioButton8")->click();
        QVERIFY(v.Settled<QPlainTextEdit>("Memo1")->toPlainText().startsWith(message));
        // A refused change shows its refusal, and still why no record is shown.
        v.form.findChild<QRadioButton*>("RadioButton1")->click();
        const QString shown = v.Settled<QPlainTextEdit>("Memo1")->toPlainText();
        QVERIFY2(shown.startsWith("** ") && shown.contains(message), qPrintable(shown));
    }

    // A record of gigabytes (a hole, no line end) is measured aside: the viewer is shown before
    // it is read, another file chosen meanwhile is shown at once, and the page read for the
    // first never replaces it.
    void longRecordReadAside() {
        Viewer v("0123\r\n");
        const QString small = v.dir.filePath("small.txt");
        QVERIFY(QFile::copy(v.dir.filePath("in.txt"), small));
        const qint64 size = 2LL << 30;
        QVERIFY(QFile::resize(v.dir.filePath("in.txt"), 0));
        QVERIFY(QFile::resize(v.dir.filePath("in.txt"), size));
        v.form.OpenViewer();
        QVERIFY(v.view->Reading());
        QCOMPARE(v.view->TopRecordLength(), 0u);
        v.form.ChooseSource(small);
        v.form.OpenViewer();
        QVERIFY(v.Read());
        QCOMPARE(v.view->TopRecordLength(), 4u);
        QTest::qWait(200);
        QCOMPARE(v.view->TopRecordLength(), 4u);
        v.form.ChooseSource(v.dir.filePath("in.txt"));
        v.form.OpenViewer();
        QTRY_COMPARE_WITH_TIMEOUT(v.view->TopRecordLength(), static_cast<std::uint64_t>(size),
                                  60000);
    }

    // Beside the main window where the screen has room, shrunk towards the least size where
    // it has little, and on the screen always.
    void placementBesideTheMainWindow_data() {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("placed");
        const QRect wide(0, 0, 1920, 1050);
        const QRect small(0, 0, 1366, 740);
        QTest::newRow("room on the right")
            << QRect(220, 96, 870, 600) << wide << QRect(1090, 96, 830, 670);
        QTest::newRow("room on the left")
            << QRect(1000, 96, 870, 600) << wide << QRect(0, 96, 1000, 670);
        QTest::newRow("room below") << QRect(0, 0, 1920, 300) << wide << QRect(0, 300, 1010, 670);
        QTest::newRow("little room: least covered")
            << QRect(220, 96, 870, 600) << small << QRect(806, 70, 560, 670);
        QTest::newRow("screen smaller than wanted")
            << QRect(0, 0, 600, 400) << QRect(0, 0, 800, 500) << QRect(240, 0, 560, 500);
    }
    void placementBesideTheMainWindow() {
        QFETCH(QRect, main);
        QFETCH(QRect, screen);
        QFETCH(QRect, placed);
        QCOMPARE(PlaceBeside(main, screen, QSize(1010, 670), QSize(560, 420)), placed);
    }

    // The viewer's place and size outlive the program, also when it ends with the viewer open.
    void placeKeptWhenTheProgramEnds() {
        const QRect moved(150, 130, 640, 480);
        {
            Viewer v("0123\r\n");
            v.viewer->setGeometry(moved);
            v.form.close();
        }
        Viewer next("0123\r\n");
        QCOMPARE(next.viewer->geometry(), moved);
    }

    // A window of fixed layout larger than the screen scrolls, so that a control at its far
    // corner can be reached, and one hidden stays hidden; on a screen that holds it, nothing
    // changes.
    void smallScreenScrolls() {
        const auto window = [] {
            auto* w = new QWidget;
            w->setFixedSize(840, 560);
            (new QPushButton("far", w))->setGeometry(780, 520, 50, 25);
            (new QLabel("hidden", w))->hide();
            return w;
        };
        std::unique_ptr<QWidget> fits(window());
        ScrollWhenLarger(*fits, QRect(0, 0, 1366, 768));
        QVERIFY(!fits->findChild<QScrollArea*>());
        QCOMPARE(fits->size(), QSize(840, 560));
        std::unique_ptr<QWidget> small(window());
        ScrollWhenLarger(*small, QRect(0, 0, 640, 400));
        QCOMPARE(small->size(), QSize(632, 366));
        small->show();
        auto* far = small->findChild<QPushButton*>();
        QVERIFY(!small->rect().contains(QRect(far->mapTo(small.get(), QPoint()), far->size())));
        small->findChild<QScrollArea*>()->ensureWidgetVisible(far);
        QVERIFY(small->rect().contains(QRect(far->mapTo(small.get(), QPoint()), far->size())));
        QVERIFY(far->isVisible());
        QVERIFY(small->findChild<QLabel*>()->isHidden());
    }

    // The jump box: a record to show at the top; past the end, the last records fill the view.
    void jumpToARecord() {
        QByteArray records;
        for (int i = 1; i <= 500; ++i) records += QByteArray(i % 50 + 1, 'a') + "\r\n";
        Viewer v(records);
        auto* number = v.viewer->findChild<QLineEdit*>("Edit12");
        number->setText("123");
        QTest::keyClick(number, Qt::Key_Return);
        QTRY_COMPARE(v.view->TopRecordLength(), 24u);
        number->setText("9999");
        QTest::keyClick(number, Qt::Key_Return);
        QVERIFY(v.Read());
        QVERIFY(v.view->TopRecordLength() > 0);
        QCOMPARE(v.view->verticalScrollBar()->value(), v.view->verticalScrollBar()->maximum());
    }

    // Record numbers of eight digits fit the gutter, and the line of the line rule and
    // encoding follows the main window's choices.
    void numbersAndChoicesShown() {
        Viewer v(QByteArray(10'000'000, '\n'));
        auto* number = v.viewer->findChild<QLineEdit*>("Edit12");
        number->setText("9999999");
        QTest::keyClick(number, Qt::Key_Return);
        QVERIFY(v.Read());
        const int digits = QFontMetrics(v.view->font()).horizontalAdvance("10000000");
        QCOMPARE(v.view->ColumnAt(QPoint(digits + 8, 4)), 0);  // drawn 8 px from the ruler's edge
        v.form.findChild<QComboBox*>("ComboBox3")->setCurrentText("UTF-8");
        v.form.findChild<QComboBox*>("ComboBox1")->setCurrentText("CR");
        QCOMPARE(v.Settled<QLabel>("Label26")->text(), QString("改行：CR　文字コード：UTF-8"));
    }

    // The line of choices follows the main window, also for a file that cannot be read; the
    // text of what lies under the mouse follows a scroll by keys.
    void choicesAndPointerFollow() {
        Viewer v(Records(3, QByteArray("0123456789").repeated(30)));
        auto* pointed = v.viewer->findChild<QLabel*>("Label27");
        v.form.move(0, 2000);  // from under the pointer, which goes to the first window there
        const QPoint over = v.Ruler(4) + QPoint(0, 40);
        QTest::mouseMove(v.view->viewport(), over);
        QTRY_VERIFY(pointed->text().startsWith("4 桁目"));
        v.view->setFocus();
        QTest::keyClick(v.view, Qt::Key_Right);
        QCOMPARE(v.view->ColumnAt(over), 9);
        QVERIFY2(pointed->text().startsWith("9 桁目") && pointed->text().contains("0x38"),
                 qPrintable(pointed->text()));
        v.form.ChooseSource(v.dir.filePath("none.txt"));
        v.form.findChild<QComboBox*>("ComboBox1")->setCurrentText("LF");
        v.form.findChild<QComboBox*>("ComboBox3")->setCurrentText("UTF-8");
        QCOMPARE(v.Settled<QLabel>("Label26")->text(), QString("改行：LF　文字コード：UTF-8"));
        QVERIFY(v.viewer->findChild<QPlainTextEdit*>("Memo1")->toPlainText().startsWith(
            "ファイルが見つかりません"));
        v.form.findChild<QComboBox*>("ComboBox1")->setCurrentText("自動");
        QCOMPARE(v.Settled<QLabel>("Label26")->text(),
                 QString("改行：（自動判定）　文字コード：UTF-8"));
    }

    // A cell that no run could use opens the viewer all the same: the refusal, naming the
    // cell, stands where the preview goes.
    void opensOnAnUnusableCell() {
        Viewer v(Records(3, "0123"));
        v.viewer->close();
        v.form.findChild<QRadioButton*>("RadioButton7")->click();
        auto* grid = v.form.findChild<StringGrid*>("StringGrid1");
        grid->SetCell(1, 1, "1");
        grid->SetCell(1, 2, "3");
        grid->SetCell(2, 2, "99999999999");
        v.form.OpenViewer();
        QVERIFY(v.viewer->isVisible());
        QCOMPARE(v.Settled<QPlainTextEdit>("Memo1")->toPlainText(),
                 QString("'99999999999' は整数ではありません.\n  ﾌｨｰﾙﾄﾞ右桁位置 (2)"));
        QCOMPARE(v.viewer->findChild<QLabel*>("Label29")->text(),
                 QString("抽出の見本：この条件では抽出できません"));
    }

    void hintsExplainWhatLooksWrong_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("choice");  // what the hint's button chooses
        QTest::newRow("UTF-8 read as Shift-JIS")
            << Records(3, "13\xE6\x9D\xB1\xE4\xBA\xAC") << "ではなく UTF-8 のようです"
            << "UTF-8";
        QTest::newRow("end mark") << Records(2, "ab") + "\x1a" + Records(2, "cd")
                                  << "9 ﾊﾞｲﾄ目の 0x1A"
                                  << "";
        QTest::newRow("long record") << Records(2, QByteArray(4097, 'a')) << "4,096 ﾊﾞｲﾄより長い"
                                     << "";
        QTest::newRow("none") << Records(2, QByteArray(4096, 'a')) << ""
                              << "";
    }

    void hintsExplainWhatLooksWrong() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, hint);
        QFETCH(QString, choice);
        Viewer v(bytes);
        auto* label = v.viewer->findChild<QLabel*>("Label30");
        auto* button = v.viewer->findChild<QPushButton*>("Button14");
        QVERIFY2(label->text().contains(hint), qPrintable(label->text()));
        QCOMPARE(label->isVisible(), !hint.isEmpty());
        QCOMPARE(button->isVisible(), !choice.isEmpty());
        if (choice.isEmpty()) return;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(v.form.findChild<QComboBox*>("ComboBox3")->currentText(), choice);
        QVERIFY(v.Settled<QLabel>("Label30")->isHidden());
    }

    // A repeat needs a numbered row to repeat, to the right of its left column.
    void repeatRefusals() {
        Viewer v(Records(2, "abcdef"));
        ModalCloser closer;
        v.Drag(3, 3, Qt::ShiftModifier);
        v.Drag(4, 5);
        v.Drag(2, 2, Qt::ShiftModifier);
        QCOMPARE(closer.texts.size(), 2);
        QCOMPARE(v.Cell(3, 1), QString());
    }

    // A boundary inside a double-byte character marks all its bytes; one between two
    // characters marks nothing.
    void splitCharacters() {
        Conditions c;
        c.FieldMode = FieldModes::ListedFields;
        c.FieldItems = {FieldItem{2, 3, 2, 0, 0}};
        const auto marks = MarkColumns("a\x82\xa0\x82\xa2", 5, c, 5);
        QCOMPARE(marks[1].split, false);
        QCOMPARE(marks[2].split, false);
        c.FieldItems = {FieldItem{3, 4, 2, 0, 0}};
        const auto cut = MarkColumns("a\x82\xa0\x82\xa2", 5, c, 5);
        const std::vector<bool> split{cut[0].split, cut[1].split, cut[2].split, cut[3].split,
                                      cut[4].split};
        QCOMPARE(split, (std::vector<bool>{false, true, true, true, true}));
        // Repeated "to the end": every repetition in the record, none past it.
        c.FieldItems = {FieldItem{1, 1, 1, 2, 99999999}};
        const auto repeats = MarkColumns("abcde", 5, c, 5);
        QCOMPARE(repeats[4].field, 0);
        QCOMPARE(repeats[4].repeat, 2);
        QCOMPARE(repeats[3].field, -1);
        c.DataCodePage = CodePage::Utf8;
        c.FieldMode = FieldModes::WholeRecord;
        c.SelectMode = SelectModes::ByCode;
        c.KeySegments = {{1, 2, 2}};
        const auto key = MarkColumns("a\xe3\x81\x82", 4, c, 4);
        QVERIFY(key[0].key && key[1].key && !key[2].key);
        QVERIFY(key[1].split && key[2].split && key[3].split && !key[0].split);
    }

    // The count of records in view with a cut character, and the preview of the output.
    void splitCountAndPreview() {
        Viewer v(Records(3, "01\x82\xa0\x82\xa2") + Records(2, "0123"));

        auto* radio = v.form.findChild<QRadioButton*>("RadioButton8");
        radio->click();
        v.Drag(2, 3);
        QCOMPARE(v.Settled<QLabel>("Label28")->text(),
                 QString("文字を途中で切る境界：表示中の 3 ﾚｺｰﾄﾞ"));
        QCOMPARE(v.Settled<QPlainTextEdit>("Memo1")->toPlainText(), QString("1?\n1?\n1?\n12\n12"));
    }

    // A stand-in a run wrote is drawn as itself; bytes that are no character as "?".
    void standInsAsWritten() {
        rivex::ui::RecordText utf8(CodePage::Utf8);
        QCOMPARE(utf8.Record("a\xEF\xBF\xBD\xFF"), QString("a\uFFFD?"));
        rivex::ui::RecordText sjis(CodePage::Cp932);
        QCOMPARE(sjis.Record("a\x81\xAC\x82"), QString("a\u3013?"));
    }
};

QTEST_MAIN(Rivex6Test)
#include "rivex6_test.moc"
