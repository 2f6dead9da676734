#include "ui/Rivex1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <csignal>

#include "engine/stop_signals.h"
#include "tests/ui/modal_closer.h"
#include "ui/Rivex5.h"
#include "ui/missing_translations.h"
#include "ui/string_grid.h"

using rivex::EngineState;
using rivex::testing::ModalCloser;
using rivex::ui::StringGrid;
using rivex::ui::TForm1;
using rivex::ui::TForm5;

class Rivex1Test : public QObject {
    Q_OBJECT

  private:
    // A main window with its record-count list, shown and active.
    struct Window {
        EngineState state;
        TForm1 form{state};
        TForm5* list = new TForm5(&form);

        Window() {
            form.SetWindows(nullptr, list);
            form.show();
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
        }
        template <typename T>
        T* Get(const char* name) {
            T* control = form.findChild<T*>(name);
            Q_ASSERT(control);
            return control;
        }
        void Click(const char* name) {
            QTest::mouseClick(Get<QAbstractButton>(name), Qt::LeftButton);
        }
        // A key pressed where the focus is, and what it left queued done.
        void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            QCoreApplication::processEvents();
        }
        void Undo() { Press(Qt::Key_Z, Qt::ControlModifier); }
        void Redo() { Press(Qt::Key_Y, Qt::ControlModifier); }
        // The focus is in `control`, or in the cell editor of a grid.
        bool Focused(const char* name) {
            QWidget* control = Get<QWidget>(name);
            QWidget* focus = form.focusWidget();
            return focus == control || control->isAncestorOf(focus);
        }
    };

  private slots:
    void initialState() {
        Window w;
        for (const char* name :
             {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5",
              "RadioButton6", "RadioButton7", "RadioButton8", "CheckBox1"}) {
            QVERIFY2(!w.Get<QAbstractButton>(name)->isChecked(), name);
        }
        QCOMPARE(w.Get<QTabWidget>("PageControl1")->currentWidget()->objectName(),
                 QString("TabSheet2"));
        QVERIFY(!w.Get<QWidget>("Button9")->isEnabled());
        QVERIFY(!w.Get<QWidget>("StringGrid1")->isEnabled());
        QVERIFY(!w.Get<QWidget>("Edit3")->isEnabled());
        QVERIFY(!w.Get<QWidget>("Label3")->isVisible());
        QVERIFY(!w.Get<QWidget>("Label15")->isVisible());
        auto* grid1 = w.Get<StringGrid>("StringGrid1");
        QCOMPARE(grid1->GridRowCount(), 10);
        QCOMPARE(grid1->Heading(3), QString("次の左位置"));
        QCOMPARE(grid1->RowLabel(1), QString("(1)"));
        QCOMPARE(grid1->RowLabel(2), QString());
        QCOMPARE(w.Get<StringGrid>("StringGrid2")->Heading(1), QString("　はじめ"));

        ModalCloser closer;
        w.Click("Button4");
        QCOMPARE(closer.texts, QStringList{"** 元ファイルの指定がありません。"});
        QCOMPARE(w.form.focusWidget(), w.Get<QWidget>("Button1"));
    }

    void greyingFollowsTheModes() {
        Window w;
        auto* grid2 = w.Get<StringGrid>("StringGrid2");
        w.Click("RadioButton1");
        QVERIFY(grid2->isEnabled());
        QVERIFY(!w.Get<QWidget>("Edit3")->isEnabled());
        QCOMPARE(grid2->Heading(1), QString("　始めカウント"));
        QCOMPARE(w.Get<QLabel>("Label7")->text(), QString("ｶｳﾝﾄ数："));
        QVERIFY(w.Focused("StringGrid2"));
        grid2->SetCell(1, 1, "5");

        w.Click("RadioButton2");
        QVERIFY(w.Get<QWidget>("Edit3")->isEnabled());
        QVERIFY(w.Get<QWidget>("GroupBox4")->isEnabled());
        QVERIFY(w.Get<QWidget>("CheckBox1")->isEnabled());
        QCOMPARE(grid2->Heading(2), QString("　終りコード"));
        QCOMPARE(w.form.focusWidget(), w.Get<QWidget>("Edit3"));
        QCOMPARE(grid2->Cell(1, 1), QString("5"));  // rows typed under one mode stay

        w.Click("RadioButton8");
        QVERIFY(!grid2->isEnabled());
        QVERIFY(!w.Get<QWidget>("GroupBox4")->isEnabled());
        QCOMPARE(grid2->Heading(2), QString("　終りコード"));

        w.Get<QTabWidget>("PageControl1")->setCurrentIndex(0);
        w.Click("RadioButton7");
        QVERIFY(w.Get<QWidget>("StringGrid1")->isEnabled());
        QVERIFY(w.Get<QWidget>("Label12")->isEnabled());
        w.Click("RadioButton6");
        QVERIFY(!w.Get<QWidget>("StringGrid1")->isEnabled());
    }

    void enterNavigationAddsAndLabelsRows() {
        QTest::failOnWarning(QRegularExpression(".*"));  // the editor closes the view's own way
        Window w;
        w.Get<QTabWidget>("PageControl1")->setCurrentIndex(0);
        w.Click("RadioButton7");
        auto* grid = w.Get<StringGrid>("StringGrid1");
        grid->MoveTo(1, 1);
        QTest::keyClicks(QApplication::focusWidget(), "3");  // into the cell editor
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // what the key left queued
        QCOMPARE(grid->Cell(1, 1), QString("3"));
        QCOMPARE(grid->GridColumn(), 2);
        QVERIFY(w.Focused("StringGrid1"));
        grid->MoveTo(5, 9);  // the name column, the last
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // what the key left queued
        QCOMPARE(grid->GridRowCount(), 11);
        QCOMPARE(grid->RowLabel(10), QString("(10)"));
        QCOMPARE(grid->GridRow(), 10);
        QCOMPARE(grid->GridColumn(), 1);
        QCOMPARE(grid->RowLabel(5), QString());

        auto* grid2 = w.Get<StringGrid>("StringGrid2");
        w.Get<QTabWidget>("PageControl1")->setCurrentIndex(1);
        w.Click("RadioButton1");
        grid2->MoveTo(2, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // what the key left queued
        QCOMPARE(grid2->GridRow(), 2);
        QCOMPARE(grid2->RowLabel(2), QString("(2)"));
        QCOMPARE(grid2->GridRowCount(), 10);
    }

    // A click or Shift+arrow selects without opening an editor, so Delete empties every
    // selected cell; typing, F2 or a double click edit.
    void selectingAndEditingCells_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("editing");
        QTest::newRow("click") << "click" << false;
        QTest::newRow("shift arrow") << "shift" << false;
        QTest::newRow("typing") << "type" << true;
        QTest::newRow("F2") << "f2" << true;
        QTest::newRow("double click") << "double" << true;
    }
    void selectingAndEditingCells() {
        QFETCH(QString, how);
        QFETCH(bool, editing);
        Window w;
        w.Click("RadioButton1");
        auto* grid = w.Get<StringGrid>("StringGrid2");
        for (int row = 1; row <= 3; ++row) {
            grid->SetCell(1, row, "1");
            grid->SetCell(2, row, "9");
        }
        const QPoint cell = grid->visualRect(grid->model()->index(0, 0)).center();
        if (how != "type" && how != "f2") {  // a double click begins as a click
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        }
        if (how == "shift") QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        if (how == "type") QTest::keyClicks(grid, "7");
        if (how == "f2") QTest::keyClick(grid, Qt::Key_F2);
        if (how == "double") QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus != grid && grid->isAncestorOf(focus), editing);  // a cell editor
        if (editing) return;
        QTest::keyClick(grid, Qt::Key_Delete);
        const int emptied = how == "shift" ? 2 : 1;
        for (int row = 1; row <= 3; ++row) {
            QCOMPARE(grid->Cell(1, row), row <= emptied ? QString() : QString("1"));
            QCOMPARE(grid->Cell(2, row), QString("9"));
        }
        w.Click("RadioButton8");
        QVERIFY(grid->selectedItems().isEmpty());  // a greyed grid shows no selection
    }

    // Every way the focus is moved into a grid leaves it a current cell that typing fills,
    // also after the grid was greyed and offered again.
    void typingAfterTheFocusMovesIntoAGrid_data() {
        QTest::addColumn<QByteArray>("move");
        QTest::addColumn<QByteArray>("grid");
        QTest::newRow("by count") << QByteArray("RadioButton1") << QByteArray("StringGrid2");
        QTest::newRow("Enter in the key box") << QByteArray("Edit3") << QByteArray("StringGrid2");
        QTest::newRow("listed items") << QByteArray("RadioButton7") << QByteArray("StringGrid1");
    }
    void typingAfterTheFocusMovesIntoAGrid() {
        QFETCH(QByteArray, move);
        QFETCH(QByteArray, grid);
        Window w;
        w.Get<QTabWidget>("PageControl1")->setCurrentIndex(grid == "StringGrid1" ? 0 : 1);
        for (const char* mode : {"RadioButton7", "RadioButton6", "RadioButton1", "RadioButton8"}) {
            if (w.Get<QWidget>(mode)->isVisible()) w.Click(mode);
        }
        if (move == "Edit3") {
            w.Click("RadioButton2");
            QTest::keyClicks(w.Get<QLineEdit>("Edit3"), "1");
            QTest::keyClick(w.Get<QLineEdit>("Edit3"), Qt::Key_Return);
        } else {
            w.Click(move.constData());
        }
        QVERIFY(w.Focused(grid.constData()));
        for (const char key : {'4', '2'}) QTest::keyClick(QApplication::focusWidget(), key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // what the key left queued
        QCOMPARE(w.Get<StringGrid>(grid.constData())->Cell(1, 1), QString("42"));
    }

    // Each choice is exclusive on its own: with a code order chosen, choosing the chosen
    // record or field mode again, by mouse or by Space, leaves both choices as they were.
    void radioButtonsStayCheckedWhenChosenAgain_data() {
        QTest::addColumn<QByteArray>("name");
        for (const char* name :
             {"RadioButton8", "RadioButton1", "RadioButton2", "RadioButton6", "RadioButton7"}) {
            QTest::newRow(name) << QByteArray(name);
        }
    }
    void radioButtonsStayCheckedWhenChosenAgain() {
        QFETCH(QByteArray, name);
        Window w;
        w.Click("RadioButton2");
        w.Click("RadioButton3");
        auto* radio = w.Get<QRadioButton>(name.constData());
        auto* tabs = w.Get<QTabWidget>("PageControl1");
        tabs->setCurrentIndex(radio->parentWidget()->objectName() == "TabSheet1" ? 0 : 1);
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(radio, Qt::LeftButton);
            QVERIFY(radio->isChecked());
        }
        radio->setFocus();
        QTest::keyClick(radio, Qt::Key_Space);
        QVERIFY(radio->isChecked());
        QVERIFY(w.Get<QRadioButton>("RadioButton3")->isChecked());
    }

    void keysInTheEdits() {
        Window w;
        QTest::keyClick(w.Get<QLineEdit>("Edit1"), Qt::Key_Return);
        QCOMPARE(w.form.focusWidget(), w.Get<QWidget>("Button2"));
        w.Click("RadioButton2");
        ModalCloser closer;
        QTest::keyClick(w.Get<QLineEdit>("Edit3"), Qt::Key_Return);
        QCOMPARE(closer.texts, QStringList{"** キー位置の指定がありません。"});
        QTest::keyClicks(w.Get<QLineEdit>("Edit3"), "4-5");
        QTest::keyClick(w.Get<QLineEdit>("Edit3"), Qt::Key_Return);
        QVERIFY(w.Focused("StringGrid2"));
        w.Click("RadioButton4");
        QCOMPARE(closer.texts.size(), 2);
        QVERIFY(closer.texts[1].startsWith("** 本当にこの指定でよいのですか。"));
        QCOMPARE(w.form.focusWidget(), w.Get<QWidget>("Button4"));
    }

    void droppedFilesFillTheNameBoxes() {
        Window w;
        const auto drop = [&](const char* box, const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            // Shift proposes a move, which would let the file manager delete the file.
            const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
            QDragEnterEvent enter(QPoint(5, 5), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QApplication::sendEvent(w.Get<QLineEdit>(box), &enter);
            QVERIFY(enter.isAccepted());
            QCOMPARE(enter.dropAction(), Qt::CopyAction);
            QDropEvent drop(QPointF(5, 5), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QApplication::sendEvent(w.Get<QLineEdit>(box), &drop);
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
        };
        w.state.run.OutputCount = 5;
        drop("Edit1", "/data/in@.txt");
        drop("Edit2", "/data/out.txt");
        QCOMPARE(w.Get<QLineEdit>("Edit1")->text(), QString("/data/in@.txt"));
        QVERIFY(w.Get<QWidget>("Label15")->isVisible());
        QCOMPARE(w.Get<QLineEdit>("Edit2")->text(), QString("/data/out.txt"));
        QCOMPARE(w.state.run.OutputCount, 0);
    }

    // Qt's list takes its dates from the desktop's locale and leaves "Folder" untranslated.
    void fileDialogListsInJapanese() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QFile file(dir.filePath("a.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QDateTime changed(QDate(2024, 1, 2), QTime(3, 4));
        QVERIFY(file.setFileTime(changed, QFileDevice::FileModificationTime));
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        QLocale::setDefault(japanese);
        rivex::ui::MissingTranslations missing;
        QApplication::installTranslator(&missing);
        Window w;
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->setDirectory(dir.path());
            auto* view = dialog->findChild<QTreeView*>("treeView");
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
            for (int row = 0; row < 2; ++row) {
                const auto cell = [&](int column) {
                    return view->model()->index(row, column, view->rootIndex()).data().toString();
                };
                listed << cell(0) + " " + cell(2) + " " + cell(3);
            }
            dialog->reject();
        });
        w.Click("Button1");
        QApplication::removeTranslator(&missing);
        QLocale::setDefault(QLocale::c());
        listed.sort();
        QCOMPARE(listed.size(), 2);
        QVERIFY2(listed[0].startsWith("a.txt ") &&
                     listed[0].endsWith(japanese.toString(changed, QLocale::ShortFormat)),
                 qPrintable(listed[0]));
        QVERIFY2(listed[1].startsWith("sub フォルダ "), qPrintable(listed[1]));
    }

    void refusalMovesTheFocus() {
        Window w;
        w.Get<QLineEdit>("Edit1")->setText("in.txt");
        w.Get<QLineEdit>("Edit2")->setText("out.txt");
        w.Click("RadioButton6");
        w.Click("RadioButton1");
        w.Get<StringGrid>("StringGrid2")->SetCell(1, 1, "9");
        w.Get<StringGrid>("StringGrid2")->SetCell(2, 1, "3");
        w.Get<QWidget>("Edit1")->setFocus();
        ModalCloser closer;
        w.Click("Button4");
        QCOMPARE(closer.texts, QStringList{"** ｶｳﾝﾄ指定が逆転しています。"});
        QVERIFY(w.Focused("StringGrid2"));
    }

    void runFromTheWindow() {
        QTemporaryDir dir;
        const QString source = dir.filePath("in.txt");
        const QString output = dir.filePath("sub/out.txt");
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("A01\r\nB02\r\nC03");
        file.close();

        Window w;
        w.Get<QLineEdit>("Edit1")->setText(source);
        w.Get<QLineEdit>("Edit2")->setText(output);
        w.Click("RadioButton6");
        w.Click("RadioButton2");
        QTest::keyClicks(w.Get<QLineEdit>("Edit3"), "2-3");
        w.Get<StringGrid>("StringGrid2")->SetCell(1, 1, "02");
        w.Get<StringGrid>("StringGrid2")->SetCell(2, 1, "03");
        ModalCloser closer;
        w.Click("Button4");
        QCOMPARE(closer.texts, QStringList{"** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。"});
        QFile out(output);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), QByteArray("B02\r\nC03\r\n"));
        QVERIFY(w.Get<QWidget>("Button9")->isEnabled());
        QVERIFY(w.Get<QWidget>("Button4")->isEnabled());
        QVERIFY(w.Get<QWidget>("Button6")->isEnabled());
        QCOMPARE(w.Get<QLineEdit>("Edit6")->text(), QString(" 2"));
        QCOMPARE(w.Get<QLineEdit>("Edit10")->text(), QString(" 3"));
        QCOMPARE(w.list->RunLog().size(), 4);
        QCOMPARE(w.list->RunLog()[3], QString(" 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：2"));
        QVERIFY(w.Get<QLineEdit>("Edit8")->text().startsWith(' '));
    }

    // The data choices reach the run: a UTF-8 LF file searched by a Japanese code, written
    // with CR LF.
    void dataChoicesReachTheRun() {
        QTemporaryDir dir;
        QFile file(dir.filePath("in.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("A01\nB表\nC03\n");
        file.close();
        Window w;
        w.Get<QLineEdit>("Edit1")->setText(file.fileName());
        w.Get<QLineEdit>("Edit2")->setText(dir.filePath("out.txt"));
        w.Click("RadioButton6");
        w.Click("RadioButton2");
        QTest::keyClicks(w.Get<QLineEdit>("Edit3"), "2-4");
        w.Get<StringGrid>("StringGrid2")->SetCell(1, 1, "表");
        w.Get<QComboBox>("ComboBox2")->setCurrentText("CR LF");
        w.Get<QComboBox>("ComboBox3")->setCurrentText("UTF-8");
        ModalCloser closer;
        w.Click("Button4");
        QFile out(dir.filePath("out.txt"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), QByteArray("B表\r\n"));
    }

    // Trimming and the header are offered for CSV and TSV only; the choices and the columns'
    // names reach the run, and a change of format is undone like any other.
    void outputChoicesReachTheRun() {
        QTemporaryDir dir;
        QFile file(dir.filePath("in.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("01 a \n02 b,\n");
        file.close();
        Window w;
        auto* trim = w.Get<QCheckBox>("CheckBox2");
        auto* format = w.Get<QComboBox>("ComboBox4");
        QVERIFY(!trim->isEnabled() && !w.Get<QCheckBox>("CheckBox3")->isEnabled());
        w.Get<QLineEdit>("Edit1")->setText(file.fileName());
        w.Get<QLineEdit>("Edit2")->setText(dir.filePath("out.csv"));
        w.Click("RadioButton7");
        auto* grid = w.Get<StringGrid>("StringGrid1");
        for (const auto& [column, text] : {std::pair{1, "1"}, {2, "2"}, {5, "code"}}) {
            grid->SetCell(column, 1, text);
        }
        grid->SetCell(1, 2, "3");
        grid->SetCell(2, 2, "5");
        format->setFocus();
        QTest::keyClick(format, Qt::Key_Down);  // CSV
        QVERIFY(trim->isEnabled());
        w.Click("CheckBox2");
        w.Click("RadioButton8");
        ModalCloser closer;
        w.Click("Button4");
        QFile out(dir.filePath("out.csv"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), QByteArray("code,3-5\n01,a\n02,\"b,\"\n"));
        QCOMPARE(closer.texts.size(), 1);
        format->setFocus();
        QTest::keyClick(format, Qt::Key_Up);
        QVERIFY(!trim->isEnabled());
        w.Undo();
        QCOMPARE(format->currentText(), QString("CSV"));
        QVERIFY(trim->isEnabled() && trim->isChecked());
        // Characters cut by the fields do not convert: a box tells how many before the end.
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0\x93\x8c\n");
        file.close();
        w.Get<QLineEdit>("Edit2")->setText(dir.filePath("out2.csv"));
        auto* encoding = w.Get<QComboBox>("ComboBox5");
        encoding->setFocus();
        QTest::keyClick(encoding, Qt::Key_Down);  // UTF-8
        w.Click("Button4");
        QCOMPARE(closer.texts.size(), 3);
        QVERIFY(closer.texts[1].contains(" 2 "));
        QCOMPARE(closer.texts[2], closer.texts[0]);
    }

    // Saved from one window and loaded into a fresh one: the same controls, greyed and offered
    // as the modes say; a file that is not one changes nothing.
    void conditionsSaveAndLoad() {
        QTemporaryDir dir;
        const QString path = dir.filePath("c.rivex.json");
        Window a;
        a.Get<QLineEdit>("Edit1")->setText("in@.txt");
        a.Click("RadioButton7");
        a.Get<StringGrid>("StringGrid1")->SetCell(1, 1, "5");
        a.Get<StringGrid>("StringGrid1")->SetCell(2, 1, "*");
        a.Get<StringGrid>("StringGrid1")->SetCell(5, 1, "番号");
        a.Get<QComboBox>("ComboBox4")->setCurrentIndex(2);
        a.Get<QComboBox>("ComboBox5")->setCurrentIndex(2);
        a.Click("CheckBox2");
        a.Click("CheckBox3");
        a.Click("RadioButton2");
        QTest::keyClicks(a.Get<QLineEdit>("Edit3"), "2-3");
        a.Get<StringGrid>("StringGrid2")->SetCell(1, 1, "\"A ");
        a.Click("RadioButton5");
        a.Get<QComboBox>("ComboBox3")->setCurrentIndex(1);
        ModalCloser closer;
        a.form.SaveConditions(path);
        QCOMPARE(closer.texts, QStringList{"**「条件の保存」が終わりました。"});

        Window b;
        b.form.LoadConditions(path);
        QVERIFY(b.Get<QRadioButton>("RadioButton7")->isChecked());
        QVERIFY(b.Get<QWidget>("StringGrid1")->isEnabled());
        QVERIFY(b.Get<QWidget>("Edit3")->isEnabled());
        QCOMPARE(b.Get<StringGrid>("StringGrid2")->Heading(1), QString("　始めコード"));
        QCOMPARE(b.Get<StringGrid>("StringGrid1")->RowLabel(1), QString("(1)"));
        QCOMPARE(b.Get<QComboBox>("ComboBox3")->currentText(), QString("UTF-8"));
        QCOMPARE(b.Get<StringGrid>("StringGrid1")->Cell(5, 1), QString("番号"));
        QCOMPARE(b.Get<QComboBox>("ComboBox4")->currentText(), QString("TSV"));
        QCOMPARE(b.Get<QComboBox>("ComboBox5")->currentIndex(), 2);
        QVERIFY(b.Get<QCheckBox>("CheckBox2")->isChecked());
        QVERIFY(!b.Get<QCheckBox>("CheckBox3")->isChecked());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        saved.close();
        b.form.SaveConditions(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), bytes);

        QFile broken(dir.filePath("broken.rivex.json"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{\"format\": \"rivex-conditions\", \"version\": 7}");
        broken.close();
        closer.texts.clear();
        b.form.LoadConditions(broken.fileName());
        QCOMPARE(closer.texts,
                 QStringList{"** 抽出条件ファイルの版 7 は読めません。\r\n  " + broken.fileName()});
        QVERIFY(b.Get<QRadioButton>("RadioButton7")->isChecked());
    }

    // Ctrl+Z and Ctrl+Y step through the changes wherever the focus is: a cell's edit, text
    // still in a cell editor, a Delete over cells, a run of typing in the key box, a choice.
    void undoAndRedoOfTyping() {
        QTest::failOnWarning(QRegularExpression(".*"));
        Window w;
        auto* grid = w.Get<StringGrid>("StringGrid2");
        auto* keys = w.Get<QLineEdit>("Edit3");
        w.Click("RadioButton1");
        for (const Qt::Key key : {Qt::Key_4, Qt::Key_2, Qt::Key_Return, Qt::Key_7}) w.Press(key);
        // The editor of "7" is still open.
        w.Undo();
        QCOMPARE(grid->Cell(2, 1), QString());
        QVERIFY(w.Focused("StringGrid2"));
        QCOMPARE(grid->GridColumn(), 2);  // the current cell stays
        w.Undo();
        QCOMPARE(grid->Cell(1, 1), QString());
        w.Redo();
        w.Redo();
        QCOMPARE(grid->Cell(1, 1), QString("42"));
        QCOMPARE(grid->Cell(2, 1), QString("7"));

        grid->selectAll();
        w.Press(Qt::Key_Delete);
        QCOMPARE(grid->Cell(1, 1) + grid->Cell(2, 1), QString());
        w.Undo();
        QCOMPARE(grid->Cell(1, 1) + grid->Cell(2, 1), QString("427"));
        QCOMPARE(grid->selectionModel()->selectedIndexes().size(), 18);  // the selection stays

        w.Click("RadioButton2");
        QCoreApplication::processEvents();  // the click is a step of its own
        QTest::keyClicks(keys, "1-3");
        w.Undo();
        QCOMPARE(keys->text(), QString());
        QVERIFY(w.Get<QRadioButton>("RadioButton2")->isChecked());
        w.Undo();
        QVERIFY(w.Get<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(!keys->isEnabled());
        QCOMPARE(grid->Heading(1), QString("　始めカウント"));
        w.Redo();
        w.Redo();
        QCOMPARE(keys->text(), QString("1-3"));
        QVERIFY(keys->isEnabled());
        w.Undo();
        keys->setFocus();            // it lost the focus while greyed
        w.Press(Qt::Key_9);          // a new change: the typing undone cannot come back
        w.Press(Qt::Key_Backspace);  // and typing that ends where it began leaves no step
        w.Redo();
        QCOMPARE(keys->text(), QString());
        w.Undo();
        QVERIFY(w.Get<QRadioButton>("RadioButton1")->isChecked());
    }

    // A loaded conditions file and a drag in the viewer are one step each.
    void undoOfALoadAndOfAViewerDrag() {
        QTemporaryDir dir;
        const QString path = dir.filePath("c.rivex.json");
        Window a;
        a.Click("RadioButton8");
        a.Get<QComboBox>("ComboBox3")->setCurrentIndex(1);
        ModalCloser closer;
        a.form.SaveConditions(path);

        Window b;
        b.Click("RadioButton1");
        b.Get<StringGrid>("StringGrid2")->SetCell(1, 1, "5");
        b.form.LoadConditions(path);
        QVERIFY(b.Get<QRadioButton>("RadioButton8")->isChecked());
        QCOMPARE(b.Get<StringGrid>("StringGrid2")->Cell(1, 1), QString());
        b.Undo();
        QVERIFY(b.Get<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(b.Get<QWidget>("StringGrid2")->isEnabled());
        QCOMPARE(b.Get<StringGrid>("StringGrid2")->Cell(1, 1), QString("5"));
        QCOMPARE(b.Get<QComboBox>("ComboBox3")->currentIndex(), 0);
        b.Redo();
        QCOMPARE(b.Get<QComboBox>("ComboBox3")->currentIndex(), 1);
        QCOMPARE(b.Get<StringGrid>("StringGrid2")->Cell(1, 1), QString());

        auto* fields = b.Get<StringGrid>("StringGrid1");
        b.form.SetFieldRow(2, {"3", "8", "", ""});
        QCOMPARE(b.Get<QTabWidget>("PageControl1")->currentWidget()->objectName(),
                 QString("TabSheet1"));
        b.Get<QTabWidget>("PageControl1")->setCurrentIndex(1);
        b.Undo();
        QCOMPARE(fields->Cell(1, 2), QString());
        QCOMPARE(fields->RowLabel(2), QString());
        QVERIFY(!b.Get<QRadioButton>("RadioButton7")->isChecked());
        QVERIFY(!fields->isEnabled());
        QCOMPARE(b.Get<QTabWidget>("PageControl1")->currentWidget()->objectName(),
                 QString("TabSheet1"));  // the page that changed
        b.Redo();
        QCOMPARE(fields->Cell(2, 2), QString("8"));
        QCOMPARE(fields->RowLabel(2), QString("(2)"));
        QVERIFY(fields->isEnabled());
    }

    // The grid's context menu inserts a row before the one clicked, and deletes the rows of
    // the selection; the labels follow their rows, and each is one step.
    void rowsFromTheContextMenu() {
        Window w;
        w.Click("RadioButton1");
        auto* grid = w.Get<StringGrid>("StringGrid2");
        grid->SetRows(std::vector<std::array<std::string, 2>>{{"1", ""}, {"2", ""}, {"3", ""}});
        const auto column1 = [&] {
            QStringList cells;
            for (int row = 1; row < grid->GridRowCount(); ++row) cells << grid->Cell(1, row);
            return cells.join(',');
        };
        const auto choose = [&](int row, const QString& command) {
            QStringList offered;
            QTimer::singleShot(0, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu != nullptr);
                for (QAction* action : menu->actions()) {
                    if (action->isEnabled() && !action->isSeparator())
                        offered << action->text().section('\t', 0, 0);
                    if (action->text() == command) menu->setActiveAction(action);
                }
                QTest::keyClick(menu, Qt::Key_Return);
            });
            const QPoint cell = grid->visualRect(grid->model()->index(row - 1, 0)).center();
            QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, cell);
            QContextMenuEvent click(QContextMenuEvent::Mouse, cell,
                                    grid->viewport()->mapToGlobal(cell));
            QApplication::sendEvent(grid->viewport(), &click);
            QCoreApplication::processEvents();
            w.form.activateWindow();  // the offscreen platform leaves no window active
            [&] { QVERIFY(QTest::qWaitForWindowActive(&w.form)); }();
            return offered;
        };
        QCOMPARE(choose(2, "行の挿入"), QStringList({"元に戻す", "行の挿入", "行の削除"}));
        QCOMPARE(column1(), QString("1,,2,3,,,,,,"));
        QCOMPARE(grid->RowLabel(4), QString("(4)"));
        QCOMPARE(grid->RowLabel(5), QString());
        w.Undo();
        QCOMPARE(column1(), QString("1,2,3,,,,,,"));
        QCOMPARE(grid->RowLabel(4), QString());
        w.Redo();
        QCOMPARE(grid->RowLabel(4), QString("(4)"));

        grid->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 1), true);
        choose(3, "行の削除");
        QCOMPARE(column1(), QString("1,3,,,,,,,"));  // as many rows as the grid was made with
        QCOMPARE(grid->RowLabel(2), QString("(2)"));
        QCOMPARE(grid->RowLabel(3), QString());
        w.Undo();
        QCOMPARE(column1(), QString("1,,2,3,,,,,,"));
    }

    void platformErrorLeavesTheWindowUsable() {
        QTemporaryDir dir;
        Window w;
        w.Get<QLineEdit>("Edit1")->setText(dir.filePath("missing.txt"));
        w.Get<QLineEdit>("Edit2")->setText(dir.filePath("out.txt"));
        w.Click("RadioButton6");
        w.Click("RadioButton8");
        ModalCloser closer;
        w.Click("Button4");
        QCOMPARE(closer.texts,
                 QStringList{"ファイルが見つかりません.\n" + dir.filePath("missing.txt")});
        QVERIFY(w.Get<QWidget>("Button4")->isEnabled());
        QVERIFY(w.Get<QWidget>("Button6")->isEnabled());
        QVERIFY(w.Get<QWidget>("Button9")->isEnabled());  // the RunLog so far can be read
    }

    // Last: the signal stays recorded for the rest of the process.
    void stopSignalClosesTheWindow() {
        rivex::CatchStopSignals();
        Window w;
        ::raise(SIGTERM);
        QTRY_VERIFY(!w.form.isVisible());
    }
};

QTEST_MAIN(Rivex1Test)
#include "rivex1_test.moc"
