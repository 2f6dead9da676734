#include "ui/Rivex1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSocketNotifier>
#include <QTabWidget>
#include <QUrl>
#include <tuple>

#include "engine/conditions_file.h"
#include "engine/extract.h"
#include "engine/notation.h"
#include "engine/stop_signals.h"
#include "ui/Rivex3.h"
#include "ui/Rivex5.h"
#include "ui/Rivex6.h"
#include "ui/conditions_history.h"
#include "ui/file_dialog.h"
#include "ui/fonts.h"
#include "ui/history_keys.h"
#include "ui/message_box.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/string_grid.h"
#include "ui/system_colors.h"
#include "ui/widgets.h"
#include "ui/window_colors.h"
#include "ui/window_language.h"
#include "ui/window_place.h"

namespace rivex::ui {
namespace {

// Shown as "すべてのファイル(＠….*)": the dialogs hide the pattern part.
const char* const kConditionsFilter =
    QT_TRANSLATE_NOOP("rivex::ui::TForm1", "抽出条件 (*.rivex.json)");

const char* const kFileFilter =
    QT_TRANSLATE_NOOP("rivex::ui::TForm1", "すべてのファイル(＠….*) (*)");

// The code pages' labels, as the windows list them.
[[maybe_unused]] const char* const kCodePageLabels[] = {
    QT_TRANSLATE_NOOP("rivex::ui::TForm1", "シフトJIS"),
};

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title, int left, int top,
                     int width, int height) {
    return Place(new QGroupBox(title, parent), name, left, top, width, height);
}

// A label exactly `width` wide, its text centred and drawn smaller where it would not fit.
void FitWidth(QLabel* label, int width) {
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > width && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter);
    label->setFixedWidth(width);
}

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
}

// The text colour of a group box, which the controls inside it take over.
void SetGroupTextColor(QGroupBox* group, QColor color) {
    QPalette p = group->palette();
    for (const auto cg : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(cg, QPalette::WindowText, color);
        p.setColor(cg, QPalette::Text, color);
    }
    group->setPalette(p);
}

// A choice's buttons carry the values they stand for as their ids.
template <typename Value>
std::optional<Value> ChosenValue(const QButtonGroup* choice) {
    const int id = choice->checkedId();
    if (id < 0) return std::nullopt;
    return static_cast<Value>(id);
}

template <typename Value>
QAbstractButton* ButtonFor(const QButtonGroup* choice, const std::optional<Value>& value) {
    return value ? choice->button(static_cast<int>(*value)) : nullptr;
}

// Nothing chosen, as at start: an exclusive group keeps its checked button otherwise.
void ClearChoice(QButtonGroup* choice) {
    choice->setExclusive(false);
    for (QAbstractButton* button : choice->buttons()) button->setChecked(false);
    choice->setExclusive(true);
}

// The button of `value` checked, without its handler; none when there is no value.
template <typename Value>
void SetChoice(QButtonGroup* choice, const std::optional<Value>& value) {
    if (auto* b = ButtonFor(choice, value)) {
        b->setChecked(true);
    } else {
        ClearChoice(choice);
    }
}

// A box's text replaced only when it differs, so that its cursor stays where it was.
void SetText(QLineEdit* edit, const std::string& text) {
    if (edit->text() != FromBytes(text)) edit->setText(FromBytes(text));
}

// The conditions of either tab page.
auto FieldPage(const ConditionsShown& c) {
    return std::tie(c.form.FieldRows, c.form.FieldNames, c.form.FieldMode, c.fieldLabels);
}

// The field grid's rows: the four columns and the name of each field row.
std::vector<std::array<std::string, 5>> FieldGridRows(const ExtractionRequest& form) {
    std::vector<std::array<std::string, 5>> rows;
    for (std::size_t r = 0; r < std::max(form.FieldRows.size(), form.FieldNames.size()); ++r) {
        std::array<std::string, 5> row;
        if (r < form.FieldRows.size()) std::ranges::copy(form.FieldRows[r], row.begin());
        if (r < form.FieldNames.size()) row[4] = form.FieldNames[r];
        rows.push_back(std::move(row));
    }
    return rows;
}

auto RecordPage(const ConditionsShown& c) {
    return std::tie(c.form.KeyPositions, c.form.SelectionRows, c.form.SelectMode, c.form.Order,
                    c.form.ExcludeListed, c.rangeLabels);
}

}  // namespace

TForm1::TForm1(EngineState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setWindowTitle(tr("テキストレコードの抽出 ( Rivex 1.03 )"));
    setFont(JapaneseFont(Face::GothicProp, 12));
    move(220, 96);
    setFixedSize(840, 560);
    createFileGroup();
    createReferenceGroup();
    createDataGroup();
    createConditionsGroup();
    createRunGroup();
    createChoiceGroups();
    connectHandlers();
    FormCreate();
    createHistory();
    ScrollWhenLarger(*this, screen()->availableGeometry());
    host_ = std::make_unique<QtHost>(*this, state, *CheckBox1, *RadioButton4);
    if (const int wakeUp = StopSignalWakeUp(); wakeUp >= 0) {
        auto* signalWatch = new QSocketNotifier(wakeUp, QSocketNotifier::Read, this);
        connect(signalWatch, &QSocketNotifier::activated, this, [this] {
            DrainStopSignalWakeUp();
            EndOnStopSignal();
        });
    }
}

// A cell editor still open commits its text while the grid is destroyed: after this
// destructor, where no one may hear of it.
TForm1::~TForm1() {
    delete viewer_;
    for (StringGrid* grid : {StringGrid1, StringGrid2}) grid->blockSignals(true);
}

void TForm1::SetWindows(TForm3* help, TForm5* recordCounts) {
    help_ = help;
    recordCounts_ = recordCounts;
    host_->SetRecordCounts(recordCounts);
}

void TForm1::createFileGroup() {
    GroupBox1 = MakeGroup(this, "GroupBox1", tr(" ファイルの選択 "), 15, 6, 482, 115);
    Button1 = MakeButton(GroupBox1, "Button1", tr("元ﾌｧｲﾙの選択"), 12, 20, 104, 25);
    SetHint(Button1, tr("元になるﾃｷｽﾄﾌｧｲﾙ"));
    Label1 = MakeLabel(GroupBox1, "Label1", tr("ﾌｧｲﾙ名："), 124, 25);
    Edit1 = MakeEdit(GroupBox1, "Edit1", 176, 22, 244);
    Button12 = MakeButton(GroupBox1, "Button12", tr("表示"), 424, 20, 46, 25);
    SetHint(Button12, tr("元ﾌｧｲﾙのﾚｺｰﾄﾞを表示します"));
    Label15 = MakeLabel(GroupBox1, "Label15",
                        tr("( 元ファイルで＠を使う場合は下のファイル名を直します )"), 124, 50);
    QPalette red = Label15->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label15->setPalette(red);
    Button2 = MakeButton(GroupBox1, "Button2", tr("抽出ﾌｧｲﾙの選択"), 12, 76, 104, 25);
    SetHint(Button2, tr("抽出されたﾌｧｲﾙ"));
    Edit2 = MakeEdit(GroupBox1, "Edit2", 176, 78, 294);
    Edit2->setReadOnly(true);
}

void TForm1::createReferenceGroup() {
    GroupBox5 = MakeGroup(this, "GroupBox5", tr(" 参　考 "), 507, 7, 101, 114);
    Label8 = MakeLabel(GroupBox5, "Label8", tr("開始時間："), 10, 20);
    Edit8 = MakeEdit(GroupBox5, "Edit8", 10, 36, 81);
    Label9 = MakeLabel(GroupBox5, "Label9", tr("終了時間："), 10, 62);
    Edit9 = MakeEdit(GroupBox5, "Edit9", 10, 78, 81);
    Edit8->setReadOnly(true);
    Edit9->setReadOnly(true);
}

// How the records are read and written: beside the file names, as they belong to the files.
void TForm1::createDataGroup() {
    GroupBox6 =
        MakeGroup(this, "GroupBox6", tr(" ファイルの改行・文字コード・形式 "), 618, 7, 207, 541);
    Label17 = MakeLabel(GroupBox6, "Label17", tr("元の改行："), 10, 23);
    ComboBox1 = MakeCombo(GroupBox6, "ComboBox1", {tr("自動"), "CR", "LF"}, 92, 19, 105);
    SetHint(ComboBox1, tr("元ﾌｧｲﾙのﾚｺｰﾄﾞの終わり。自動はCRのあとにないLFが多いﾌｧｲﾙをLFで読みます"));
    Label18 = MakeLabel(GroupBox6, "Label18", tr("抽出の改行："), 10, 55);
    ComboBox2 = MakeCombo(GroupBox6, "ComboBox2", {tr("元に合わせる"), "CR LF", "LF"}, 92, 51, 105);
    SetHint(ComboBox2, tr("抽出ﾌｧｲﾙのﾚｺｰﾄﾞのあとに付ける改行"));
    Label19 = MakeLabel(GroupBox6, "Label19", tr("文字コード："), 10, 87);
    ComboBox3 = MakeCombo(GroupBox6, "ComboBox3", {}, 92, 83, 105);
    for (const CodePageInfo& page : kCodePages) ComboBox3->addItem(tr(page.label.data()));
    SetHint(ComboBox3, tr("ﾚｺｰﾄﾞの文字コード。指定したｺｰﾄﾞもこれに変えて比べます"));
    createOutputChoices();
    Label20 =
        MakeLabel(GroupBox6, "Label20",
                  tr("・元の改行が「自動」のときは、ﾌｧｲﾙの先頭 64KB の LF のうち、CR "
                     "のあとにないものが多ければ LF で、そうでなければ CR でﾚｺｰﾄﾞを区切り"
                     "ます。\n\n"
                     "・「元に合わせる」は、CR で読んだﾌｧｲﾙには CR LF を、LF "
                     "で読んだﾌｧｲﾙには LF を各ﾚｺｰﾄﾞのあとに付けます。\n\n"
                     "・文字コードが UTF-8 のときは、入力したｺｰﾄﾞも UTF-8 のまま比べます。\n\n"
                     "・どれもﾌｧｲﾙごとに決まり、実行状況の画面に読んだ改行が出ます。"),
                  10, 244);
    Label20->setWordWrap(true);
    Label20->setGeometry(10, 244, 187, 220);
    Label20->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Button10 = MakeButton(GroupBox6, "Button10", tr("条件の保存"), 10, 470, 90, 28);
    SetHint(Button10, tr("画面の条件をﾌｧｲﾙに保存します"));
    Button11 = MakeButton(GroupBox6, "Button11", tr("条件の読込"), 107, 470, 90, 28);
    SetHint(Button11,
            tr("保存した条件を画面に読み込みます。ﾌｧｲﾙをこの画面に落としても読み込みます"));
}

// The output's form, for handing it to a spreadsheet: below the encoding it is converted from.
void TForm1::createOutputChoices() {
    Label21 = MakeLabel(GroupBox6, "Label21", tr("抽出の形式："), 10, 125);
    ComboBox4 = MakeCombo(GroupBox6, "ComboBox4", {tr("固定長"), "CSV", "TSV"}, 92, 121, 105);
    SetHint(ComboBox4, tr("固定長は項目を続けて、CSV はｶﾝﾏで、TSV はﾀﾌﾞで区切って書きます"));
    Label22 = MakeLabel(GroupBox6, "Label22", tr("抽出のｺｰﾄﾞ："), 10, 157);
    ComboBox5 =
        MakeCombo(GroupBox6, "ComboBox5",
                  {tr("元と同じ"), "UTF-8", tr("UTF-8 BOM付"), tr("シフトJIS")}, 92, 153, 105);
    SetHint(ComboBox5, tr("抽出ﾌｧｲﾙの文字コード。表計算ｿﾌﾄには BOM 付きの UTF-8 が確実です"));
    CheckBox2 = MakeCheckBox(GroupBox6, "CheckBox2", tr("値の前後の空白を除く"), 10, 188);
    SetHint(CheckBox2, tr("CSV と TSV の値から、前後の半角と全角の空白を除きます"));
    CheckBox3 = MakeCheckBox(GroupBox6, "CheckBox3", tr("見出し行を付ける"), 10, 212);
    SetHint(CheckBox3, tr("CSV と TSV の先頭に項目名の行を付けます"));
    CheckBox3->setChecked(true);
    static_assert(static_cast<int>(OutputFormat::Tsv) == 2);
    static_assert(static_cast<int>(OutputEncoding::Cp932) == 3);
}

void TForm1::createConditionsGroup() {
    GroupBox2 = MakeGroup(this, "GroupBox2", tr(" 抽出の条件 "), 15, 133, 593, 314);
    Label14 = MakeLabel(GroupBox2, "Label14",
                        tr("下のタブをクリックしてそれぞれに指定してください。"), 16, 20);
    PageControl1 = Place(new QTabWidget(GroupBox2), "PageControl1", 10, 40, 573, 264);
    PageControl1->setStyleSheet("QTabBar::tab { height: 20px; }");
    TabSheet1 = createFieldPage();
    TabSheet2 = createRecordPage();
    PageControl1->addTab(TabSheet1, tr("　フィールド項目の抽出　"));
    PageControl1->addTab(TabSheet2, tr("　レコードの抽出　"));
    PageControl1->setCurrentWidget(TabSheet2);
}

QWidget* TForm1::createFieldPage() {
    auto* page = new QWidget;
    page->setObjectName("TabSheet1");
    RadioButton6 = MakeRadio(page, "RadioButton6", tr("すべての項目を抽出する"), 20, 14);
    RadioButton7 = MakeRadio(page, "RadioButton7", tr("指定した項目を抽出する"), 20, 38);
    Label16 = MakeLabel(page, "Label16", tr("フィールド項目の位置："), 20, 72);
    // Above the two repeat columns: the label column and the first two columns are 35 + 57 + 56.
    Label12 = MakeLabel(page, "Label12", tr("|<---- 繰り返しのとき ---->|"), 20 + 35 + 57 + 56, 92);
    FitWidth(Label12, 75 + 70);
    StringGrid1 = Place(new StringGrid({35, 57, 56, 75, 70, 120}, 10, page), "StringGrid1", 20, 108,
                        436, 124);
    return page;
}

QWidget* TForm1::createRecordPage() {
    auto* page = new QWidget;
    page->setObjectName("TabSheet2");
    Label5 = MakeLabel(page, "Label5", tr("ﾚｺｰﾄﾞ抽出の種類："), 12, 10);
    RadioButton8 = MakeRadio(page, "RadioButton8", tr("すべてを抽出"), 20, 30);
    RadioButton1 = MakeRadio(page, "RadioButton1", tr("カウントで抽出"), 20, 52);
    RadioButton2 = MakeRadio(page, "RadioButton2", tr("コードで抽出"), 20, 74);
    Label4 = MakeLabel(page, "Label4", tr("キー位置："), 284, 12);
    Edit3 = MakeEdit(page, "Edit3", 348, 9, 200);
    Label7 = MakeLabel(page, "Label7", tr("コード："), 284, 38);
    StringGrid2 = Place(new StringGrid({28, 106, 109}, 10, page), "StringGrid2", 284, 54, 264, 150);
    CheckBox1 = MakeCheckBox(page, "CheckBox1", tr("左のコード以外を抽出する"), 284, 210);
    createCodeOrderGroup(page);
    return page;
}

void TForm1::createCodeOrderGroup(QWidget* page) {
    GroupBox4 = MakeGroup(page, "GroupBox4", tr(" 元ﾌｧｲﾙでのｺｰﾄﾞの出現状況 "), 12, 104, 260, 124);
    Label10 = MakeLabel(GroupBox4, "Label10", tr("( あいまいならﾁｪｯｸしなくてよい )"), 12, 20);
    Label11 = MakeLabel(GroupBox4, "Label11", tr("ｺｰﾄﾞの順番："), 12, 44);
    RadioButton3 = MakeRadio(GroupBox4, "RadioButton3", tr("わからない"), 90, 42);
    RadioButton4 = MakeRadio(GroupBox4, "RadioButton4", tr("順番でまとまっている"), 90, 66);
    RadioButton5 = MakeRadio(GroupBox4, "RadioButton5", tr("順番だが散らばっている"), 90, 90);
}

void TForm1::createRunGroup() {
    GroupBox3 = MakeGroup(this, "GroupBox3", tr(" 実　行 "), 15, 460, 593, 88);
    Button4 = MakeButton(GroupBox3, "Button4", tr("抽出する"), 14, 22, 86, 28);
    SetHint(Button4, tr("実行開始です"));
    Button9 = MakeButton(GroupBox3, "Button9", tr("レコード数一覧"), 106, 22, 104, 28);
    SetHint(Button9, tr("実行結果を表示します"));
    Button6 = MakeButton(GroupBox3, "Button6", tr("終わり"), 216, 22, 74, 28);
    SetHint(Button6, tr("ﾌﾟﾛｸﾞﾗﾑを終ります"));
    Button7 = MakeButton(GroupBox3, "Button7", tr("ヘルプ"), 296, 22, 64, 28);
    Label2 = MakeLabel(GroupBox3, "Label2", tr("元ﾌｧｲﾙﾚｺｰﾄﾞ数："), 378, 22);
    Edit10 = MakeEdit(GroupBox3, "Edit10", 474, 19, 106);
    Label6 = MakeLabel(GroupBox3, "Label6", tr("全抽出ﾚｺｰﾄﾞ数："), 378, 50);
    Edit6 = MakeEdit(GroupBox3, "Edit6", 474, 47, 106);
    Edit6->setReadOnly(true);
    Label3 = MakeLabel(GroupBox3, "Label3", tr("( 途中までの場合があります )"), 14, 60);
}

// Qt's own exclusion would take the code-order buttons for members of the record-selection
// choice, as they lie on its page: a checked button then unchecked itself on a second click.
void TForm1::createChoiceGroups() {
    const auto group = [this](std::initializer_list<QAbstractButton*> buttons) {
        auto* choice = new QButtonGroup(this);
        int value = 0;
        for (QAbstractButton* button : buttons) choice->addButton(button, value++);
        return choice;
    };
    // In the order of the values they stand for.
    fieldModes_ = group({RadioButton6, RadioButton7});
    recordModes_ = group({RadioButton8, RadioButton1, RadioButton2});
    codeOrders_ = group({RadioButton3, RadioButton4, RadioButton5});
    static_assert(static_cast<int>(FieldModes::ListedFields) == 1);
    static_assert(static_cast<int>(SelectModes::ByCode) == 2);
    static_assert(static_cast<int>(CodeOrder::Scattered) == 2);
}

void TForm1::connectHandlers() {
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm1::Edit1KeyPress);
    connect(RadioButton6, &QRadioButton::clicked, this, &TForm1::RadioButton6Click);
    connect(RadioButton7, &QRadioButton::clicked, this, &TForm1::RadioButton7Click);
    connect(StringGrid1, &StringGrid::enterPressed, this, &TForm1::StringGrid1KeyPress);
    connect(RadioButton8, &QRadioButton::clicked, this, &TForm1::RadioButton8Click);
    connect(RadioButton1, &QRadioButton::clicked, this, &TForm1::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TForm1::RadioButton2Click);
    connect(Edit3, &QLineEdit::returnPressed, this, &TForm1::Edit3KeyPress);
    connect(StringGrid2, &StringGrid::enterPressed, this, &TForm1::StringGrid2KeyPress);
    connect(RadioButton4, &QRadioButton::clicked, this, &TForm1::RadioButton4Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &TForm1::Button11Click);
    connect(Button12, &QPushButton::clicked, this, &TForm1::OpenViewer);
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, &TForm1::ShowOutputFormat);
    for (QWidget* target : std::initializer_list<QWidget*>{this, Edit1, Edit2}) {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }
    connectConditionsChanged();
}

void TForm1::connectConditionsChanged() {
    for (QLineEdit* edit : {Edit1, Edit2, Edit3}) {
        connect(edit, &QLineEdit::textChanged, this, &TForm1::conditionsChanged);
    }
    for (StringGrid* grid : {StringGrid1, StringGrid2}) {
        connect(grid, &QTableWidget::itemChanged, this, &TForm1::conditionsChanged);
    }
    for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3, RadioButton4,
                                RadioButton5, RadioButton6, RadioButton7, RadioButton8}) {
        connect(radio, &QRadioButton::toggled, this, &TForm1::conditionsChanged);
    }
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) {
        connect(box, &QCheckBox::toggled, this, &TForm1::conditionsChanged);
    }
    for (QComboBox* combo : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5}) {
        connect(combo, &QComboBox::currentIndexChanged, this, &TForm1::conditionsChanged);
    }
    for (StringGrid* grid : {StringGrid1, StringGrid2}) {
        connect(grid, &StringGrid::rowsChanged, this, &TForm1::conditionsChanged);
    }
}

// Every change to the conditions can be undone: by the keys in this window and in the
// viewer, and from the grids' context menus.
void TForm1::createHistory() {
    history_ = new ConditionsHistory(
        [this] { return Shown(); }, [this](const ConditionsShown& shown) { Restore(shown); }, this);
    connect(this, &TForm1::conditionsChanged, history_, &ConditionsHistory::Changed);
    history_->AddKeys(this);
    for (StringGrid* grid : {StringGrid1, StringGrid2}) {
        grid->SetHistoryActions({history_->UndoAction(), history_->RedoAction()});
        connect(grid, &StringGrid::menuOpening, history_, &ConditionsHistory::Record);
    }
    Edit3->installEventFilter(this);
}

// Both tab pages start greyed, as the whole-record and all-records choices leave them.
void TForm1::FormCreate() {
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit6, Edit8, Edit9, Edit10}) edit->clear();
    Label3->hide();
    Label15->hide();
    RadioButton6Click();
    RadioButton8Click();
    Button9->setEnabled(false);
    StringGrid1->SetHeading(1, tr("左位置"));
    StringGrid1->SetHeading(2, tr("右位置"));
    StringGrid1->SetHeading(3, tr("次の左位置"));
    StringGrid1->SetHeading(4, tr("ﾗｽﾄ左位置"));
    StringGrid1->SetHeading(5, tr("項目名"));
    ShowOutputFormat();
    StringGrid2->SetHeading(1, tr("　はじめ"));
    StringGrid2->SetHeading(2, tr("　おわり"));
    SetColor(this, QPalette::Window, colors::kMainWindow);
    for (QGroupBox* group : {GroupBox1, GroupBox2, GroupBox3, GroupBox5, GroupBox6}) {
        SetColor(group, QPalette::Window, colors::kMainGroups);
    }
    SetColor(GroupBox4, QPalette::Window, colors::kCodeOrderGroup);
}

ExtractionRequest TForm1::Input() const {
    ExtractionRequest form;
    form.SourceName = ToBytes(Edit1->text());
    form.OutputName = ToBytes(Edit2->text());
    form.KeyPositions = ToBytes(Edit3->text());
    for (const auto& row : StringGrid1->Rows<5>()) {
        form.FieldRows.push_back({row[0], row[1], row[2], row[3]});
        form.FieldNames.push_back(row[4]);
    }
    // Names only as far as the last one given, as a conditions file keeps them.
    while (!form.FieldNames.empty() && form.FieldNames.back().empty()) form.FieldNames.pop_back();
    form.SelectionRows = StringGrid2->Rows<2>();
    form.FieldMode = ChosenValue<FieldModes>(fieldModes_);
    form.SelectMode = ChosenValue<SelectModes>(recordModes_);
    form.Order = ChosenValue<CodeOrder>(codeOrders_);
    form.ExcludeListed = CheckBox1->isChecked();
    // The lists hold their items in the order of the choices.
    form.LineRules = static_cast<LineRuleChoice>(ComboBox1->currentIndex());
    form.OutputLineEnds = static_cast<OutputLineEnd>(ComboBox2->currentIndex());
    form.Encoding = CodePageAt(ComboBox3->currentIndex()).value_or(CodePage::Cp932);
    form.Output = {static_cast<OutputFormat>(ComboBox4->currentIndex()), CheckBox2->isChecked(),
                   static_cast<OutputEncoding>(ComboBox5->currentIndex()), CheckBox3->isChecked()};
    form.Answers = keptAnswers_;
    return form;
}

// The first failed check: beep, message, and the control to correct.
void TForm1::Refuse(const Refusal& refusal) {
    ShowMessage(this, Say(WindowLanguage(), refusal.message));
    switch (refusal.focus) {
        case Focus::Unchanged:
            return;
        case Focus::Button1:
            MoveFocus(Button1);
            return;
        case Focus::Button2:
            MoveFocus(Button2);
            return;
        case Focus::StringGrid1:
            MoveFocus(StringGrid1);
            return;
        case Focus::StringGrid2:
            MoveFocus(StringGrid2);
            return;
        case Focus::Edit3:
            MoveFocus(Edit3);
            return;
    }
}

void TForm1::ShowRunStarted(const QString& startClock) {
    SetRunning(true);
    Edit8->setText(startClock);
    Edit9->setText(" ");
}

void TForm1::ShowRunEnded(const RunSummary& summary) {
    SetRunning(false);
    if (summary.mayBePartial) Label3->show();
    Button9->setEnabled(true);
    Edit6->show();
    Edit6->setText(FromBytes(Boxed(CountWords(WindowLanguage(), summary.totalOutputCount))));
    Edit10->setText(FromBytes(Boxed(CountWords(WindowLanguage(), summary.lastSourceCount))));
    Edit9->setText(FromBytes(ClockText(summary.end)));
    MoveFocus(Button6);
    if (StopSignal() != 0) return;
    if (summary.unconverted > 0) {
        ShowMessage(this, Say(WindowLanguage(), Phrase::UnconvertedNote,
                              {std::to_string(summary.unconverted)}));
    }
    ShowMessage(this, Say(WindowLanguage(), Phrase::RunFinished));
}

// SIGTERM or SIGHUP ends the program; a run in progress first stops as if cancelled.
void TForm1::EndOnStopSignal() {
    if (StopSignal() == 0) return;
    if (!running_) {
        close();
        return;
    }
    // A dialog the run waits on (the text for @, the cancel question) is closed as by its
    // close box, so that the run can see the signal and end.
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
}

// While a run is in progress a second one must not start, and the program cannot end.
void TForm1::SetRunning(bool running) {
    running_ = running;
    Button4->setEnabled(!running);
    Button6->setEnabled(!running);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    delete help_;
    delete recordCounts_;
    delete viewer_;
    event->accept();
}

// The undo and redo keys and menu commands in a text box are the window's history. A local
// file dropped on a name box fills it as the matching file dialog would; a conditions file
// dropped anywhere on the window is loaded.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::ShortcutOverride) return IsHistoryKey(*static_cast<QKeyEvent*>(event));
    if (type == QEvent::ContextMenu && (watched == Edit1 || watched == Edit3)) {
        ShowEditMenu(static_cast<QLineEdit*>(watched),
                     static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) ||
        watched == Edit3) {
        return QWidget::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const QList<QUrl> urls = drop->mimeData()->urls();
    const QString name = urls.size() == 1 && urls[0].isLocalFile() ? urls[0].toLocalFile() : "";
    const bool conditions = name.endsWith(FromBytes(kConditionsSuffix));
    if (name.isEmpty() || (watched == this && !conditions) ||
        !(drop->possibleActions() & Qt::CopyAction)) {
        drop->ignore();
        return true;
    }
    // The file is only read: the source of the drag must never delete it as after a move.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        if (conditions) {
            LoadConditions(name);
        } else if (watched == Edit1) {
            ChooseSource(name);
        } else {
            ChooseOutput(name);
        }
    }
    return true;
}

// The box's own menu, its undo and redo (the first two commands) replaced by the window's.
void TForm1::ShowEditMenu(QLineEdit* edit, QPoint at) {
    history_->Record();
    const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    const QList<QAction*> own = menu->actions().mid(0, 2);
    menu->insertActions(own.value(0), {history_->UndoAction(), history_->RedoAction()});
    for (QAction* action : own) menu->removeAction(action);
    menu->exec(at);
}

void TForm1::ChooseSource(const QString& name) {
    Edit1->setText(name);
    Label15->show();
    MoveFocus(Button2);
}

// `name` is empty when the dialog was cancelled: the count is reset all the same.
void TForm1::ChooseOutput(const QString& name) {
    if (!name.isEmpty()) Edit2->setText(name);
    // A reset in the middle of a file would spoil its count.
    if (!running_) state_.run.OutputCount = 0;
}

void TForm1::Button1Click() {
    const QString name = OpenFileName(this, tr(kFileFilter), QFileDialog::HideNameFilterDetails);
    if (!name.isEmpty()) ChooseSource(name);
}

void TForm1::Button2Click() {
    ChooseOutput(
        SaveFileName(this, QString(), tr(kFileFilter),
                     QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails));
}

void TForm1::Edit1KeyPress() {
    MoveFocus(Button2);
}

void TForm1::OfferFieldGrid(bool offered) {
    Label12->setEnabled(offered);
    Label16->setEnabled(offered);
    StringGrid1->SetOffered(offered);
}

void TForm1::ShowOutputFormat() {
    const bool delimited = ComboBox4->currentIndex() != static_cast<int>(OutputFormat::Fixed);
    CheckBox2->setEnabled(delimited);
    CheckBox3->setEnabled(delimited);
}

void TForm1::RadioButton6Click() {
    OfferFieldGrid(false);
}

void TForm1::RadioButton7Click() {
    OfferFieldGrid(true);
    MoveFocus(StringGrid1);
}

void TForm1::StringGrid1KeyPress() {
    EnterNavigation(*StringGrid1);
}

void TForm1::OfferKeyAndCodes(bool offered) {
    SetOfferedLook(Edit3, offered);
    Label4->setEnabled(offered);
    for (QWidget* w : std::initializer_list<QWidget*>{Label10, Label11, RadioButton3, RadioButton4,
                                                      RadioButton5, CheckBox1, GroupBox4}) {
        w->setEnabled(offered);
    }
    SetGroupTextColor(GroupBox4, offered ? clWindowText() : clInactiveCaption());
}

void TForm1::RadioButton8Click() {
    OfferKeyAndCodes(false);
    Label7->setEnabled(false);
    StringGrid2->SetOffered(false);
}

// The count/code grid offered for counts or for codes: its label, the label's hint and the
// two headings.
void TForm1::OfferRangeGrid(const QString& label, const QString& hint, const QString& from,
                            const QString& to) {
    Label7->setEnabled(true);
    Label7->setText(label);
    SetHint(Label7, hint);
    StringGrid2->SetOffered(true);
    StringGrid2->SetHeading(1, from);
    StringGrid2->SetHeading(2, to);
}

void TForm1::ShowCountMode() {
    OfferKeyAndCodes(false);
    OfferRangeGrid(tr("ｶｳﾝﾄ数："), tr("先頭からのｶｳﾝﾄ数"), tr("　始めカウント"),
                   tr("　終りカウント"));
}

void TForm1::ShowCodeMode() {
    OfferKeyAndCodes(true);
    OfferRangeGrid(tr("コード："), tr("ｷｰ位置にある項目の符号"), tr("　始めコード"),
                   tr("　終りコード"));
}

void TForm1::RadioButton1Click() {
    ShowCountMode();
    MoveFocus(StringGrid2);
}

void TForm1::RadioButton2Click() {
    ShowCodeMode();
    MoveFocus(Edit3);
}

void TForm1::ShowModes() {
    OfferFieldGrid(RadioButton7->isChecked());
    if (RadioButton1->isChecked()) {
        ShowCountMode();
    } else if (RadioButton2->isChecked()) {
        ShowCodeMode();
    } else {
        RadioButton8Click();
    }
}

void TForm1::Edit3KeyPress() {
    if (!Edit3->text().isEmpty()) {
        MoveFocus(StringGrid2);
        return;
    }
    ShowMessage(this, tr("** キー位置の指定がありません。"));
}

void TForm1::StringGrid2KeyPress() {
    EnterNavigation(*StringGrid2);
}

void TForm1::RadioButton4Click() {
    if (RadioButton4->isChecked()) {
        ShowMessage(
            this,
            tr("** 本当にこの指定でよいのですか。\r\n    あいまいなら「わからない」にします。"));
    }
    MoveFocus(Button4);
}

// The last run's totals and RunLog are cleared first, whatever the checks then say.
void TForm1::Button4Click() {
    Edit6->clear();
    Edit10->clear();
    if (recordCounts_) recordCounts_->ClearRunLog();
    Guarded(this, [&] {
        std::variant<Refusal, RunSummary> outcome;
        try {
            outcome = Extract(Input(), state_, *host_);
        } catch (...) {
            // The RunLog so far says how far the run got.
            SetRunning(false);
            Button9->setEnabled(true);
            throw;
        }
        if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
            Refuse(*refusal);
        } else {
            ShowRunEnded(std::get<RunSummary>(outcome));
        }
    });
}

void TForm1::Button9Click() {
    if (!recordCounts_) return;
    recordCounts_->SetTotal(
        FromBytes(Boxed(CountWords(WindowLanguage(), state_.run.TotalOutputCount))));
    recordCounts_->show();
    recordCounts_->raise();
}

// HelpCopyMode is on when the source name box holds exactly this one character.
void TForm1::Button7Click() {
    if (!help_) return;
    help_->SetHelpCopyMode(Edit1->text() == QString::fromUtf8("〒"));
    help_->show();
    help_->raise();
}

void TForm1::Button6Click() {
    close();
}

void TForm1::OpenViewer() {
    if (TrimSide("B", ToBytes(Edit1->text())).empty()) {
        ShowMessage(this, tr("** 元ファイルの指定がありません。"));
        MoveFocus(Button1);
        return;
    }
    if (!viewer_) {
        viewer_ = new TForm6(*this);
        history_->AddKeys(viewer_);
    }
    viewer_->ShowSource();
    // A minimised viewer comes back: the button is the user's way to it.
    viewer_->setWindowState(viewer_->windowState() & ~Qt::WindowMinimized);
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
}

TForm6* TForm1::Viewer() const {
    return viewer_;
}

// The page that changed is shown, so that a drag in the viewer is seen to land; each change
// the viewer makes is one step to undo.
void TForm1::SetFieldRow(int row, const std::array<std::string, 4>& cells) {
    history_->OneStep([&] {
        PageControl1->setCurrentWidget(TabSheet1);
        if (!RadioButton7->isChecked()) RadioButton7->click();
        while (StringGrid1->GridRowCount() <= row) StringGrid1->AddRow();
        StringGrid1->LabelRow(row);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            StringGrid1->SetCell(static_cast<int>(c) + 1, row, FromBytes(cells[c]));
        }
    });
}

void TForm1::SetCodePage(CodePage cp) {
    history_->OneStep([&] { ComboBox3->setCurrentIndex(IndexOf(cp)); });
}

void TForm1::SetKeyPositions(const std::string& keys) {
    history_->OneStep([&] {
        PageControl1->setCurrentWidget(TabSheet2);
        if (!RadioButton2->isChecked()) RadioButton2->click();
        Edit3->setText(FromBytes(keys));
    });
}

void TForm1::Button10Click() {
    QString path = SaveFileName(this, QString(), tr(kConditionsFilter));
    if (path.isEmpty()) return;
    if (!path.endsWith(FromBytes(kConditionsSuffix))) path += FromBytes(kConditionsSuffix);
    SaveConditions(path);
}

void TForm1::Button11Click() {
    const QString path = OpenFileName(this, tr(kConditionsFilter));
    if (!path.isEmpty()) LoadConditions(path);
}

// Ends as the record-count list's save does, so that the user knows the file is there.
void TForm1::SaveConditions(const QString& path) {
    Guarded(this, [&] {
        rivex::SaveConditions(ToBytes(path), Input());
        ShowMessage(this, tr("**「条件の保存」が終わりました。"));
    });
}

// A refusal names the file on a second line, as the number checks show their text.
void TForm1::LoadConditions(const QString& path) {
    Guarded(this, [&] {
        const auto read = rivex::LoadConditions(ToBytes(path));
        if (const auto* refusal = std::get_if<Message>(&read)) {
            ShowMessage(this, Say(WindowLanguage(), *refusal) + "\r\n  " + ToBytes(path));
            return;
        }
        history_->OneStep([&] { Fill(std::get<ExtractionRequest>(read)); });
    });
}

// The controls as a user fills them: texts and cells typed, the modes chosen with their
// handlers (so greying and grid headings follow), then the choices that depend on them.
void TForm1::Fill(const ExtractionRequest& form) {
    FillValues(form);
    Label15->setVisible(!form.SourceName.empty());
    StringGrid1->SetRows(FieldGridRows(form));
    StringGrid2->SetRows(form.SelectionRows);
    FillModes(form);
}

// What the boxes and lists hold, and the answers kept for the file.
void TForm1::FillValues(const ExtractionRequest& form) {
    SetText(Edit1, form.SourceName);
    SetText(Edit2, form.OutputName);
    SetText(Edit3, form.KeyPositions);
    CheckBox1->setChecked(form.ExcludeListed);
    ComboBox1->setCurrentIndex(static_cast<int>(form.LineRules));
    ComboBox2->setCurrentIndex(static_cast<int>(form.OutputLineEnds));
    ComboBox3->setCurrentIndex(IndexOf(form.Encoding));
    ComboBox4->setCurrentIndex(static_cast<int>(form.Output.Format));
    ComboBox5->setCurrentIndex(static_cast<int>(form.Output.Encoding));
    CheckBox2->setChecked(form.Output.Trim);
    CheckBox3->setChecked(form.Output.Header);
    keptAnswers_ = form.Answers;
}

void TForm1::FillModes(const ExtractionRequest& form) {
    RadioButton6Click();
    if (auto* b = ButtonFor(fieldModes_, form.FieldMode)) {
        b->click();
    } else {
        ClearChoice(fieldModes_);
    }
    RadioButton8Click();
    if (auto* b = ButtonFor(recordModes_, form.SelectMode)) {
        b->click();
    } else {
        ClearChoice(recordModes_);
    }
    // Set without RadioButton4's question: the user answered it when saving.
    SetChoice(codeOrders_, form.Order);
}

ConditionsShown TForm1::Shown() const {
    return {Input(), StringGrid1->Labelled(), StringGrid2->Labelled()};
}

// The controls set as they were, the modes' looks following, with no handler run and no
// focus moved.
void TForm1::Restore(const ConditionsShown& shown) {
    ShowChangedPage(shown);
    const ExtractionRequest& form = shown.form;
    FillValues(form);
    StringGrid1->SetContent(FieldGridRows(form), shown.fieldLabels);
    StringGrid2->SetContent(form.SelectionRows, shown.rangeLabels);
    SetChoice(fieldModes_, form.FieldMode);
    SetChoice(recordModes_, form.SelectMode);
    SetChoice(codeOrders_, form.Order);
    ShowModes();
}

// When what is put back changes nothing on the page shown but something on the other, the
// other is shown, so that an undo is seen to land.
void TForm1::ShowChangedPage(const ConditionsShown& shown) {
    const ConditionsShown now = Shown();
    const bool fields = FieldPage(now) != FieldPage(shown);
    const bool records = RecordPage(now) != RecordPage(shown);
    const bool onFields = PageControl1->currentWidget() == TabSheet1;
    if (onFields && !fields && records) PageControl1->setCurrentWidget(TabSheet2);
    if (!onFields && !records && fields) PageControl1->setCurrentWidget(TabSheet1);
}

}  // namespace rivex::ui
