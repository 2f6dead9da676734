#include "ui/Rivex6.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include "engine/notation.h"
#include "engine/placeholder.h"
#include "engine/preview.h"
#include "engine/record_pager.h"
#include "engine/record_reader.h"
#include "engine/text_format.h"
#include "ui/Rivex1.h"
#include "ui/fonts.h"
#include "ui/line_rule_shown.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "ui/record_marks.h"
#include "ui/record_text.h"
#include "ui/record_view.h"
#include "ui/widgets.h"
#include "ui/window_colors.h"
#include "ui/window_language.h"
#include "ui/window_place.h"
#include "ui/worker_result.h"

namespace rivex::ui {
namespace {

constexpr int kRefreshMs = 150;
// The frame's size wanted, and the least in which the grid and the preview still help.
constexpr QSize kWanted(1010, 670);
constexpr QSize kLeast(560, 420);
const char* const kGeometryKey = "viewer/geometry";

template <typename Control>
Control* Named(Control* control, const char* name, const QString& hint = QString()) {
    control->setObjectName(name);
    control->setToolTip(hint);
    return control;
}

QLabel* NewLabel(const char* name, const QString& text = QString()) {
    return Named(new QLabel(text), name);
}

// As the main window's list names it.
QString EncodingText(CodePage cp) {
    return QCoreApplication::translate("rivex::ui::TForm1", InfoOf(cp).label.data());
}

QString Count(std::int64_t count) {
    return count == 0 ? QString("0") : FromBytes(CountText(count));
}

QString LineEndText(std::string_view lineEnd) {
    return QString::fromUtf8(lineEnd == "\r\n" ? "CR LF" : "LF");
}

}  // namespace

// A window of its own, not one kept in front of the main window: the two are used side by side.
TForm6::TForm6(TForm1& form1)
    : QWidget(nullptr, Qt::Window),
      form1_(form1),
      refreshTimer_(new QTimer(this)),
      readers_(ReadingPool(this)),
      previewing_(new QFutureWatcher<Previewed>(this)),
      previewStop_(std::make_shared<std::atomic<bool>>(false)) {
    setWindowTitle(tr("レコードの表示"));
    setFont(JapaneseFont(Face::GothicProp, 12));
    SetColor(this, QPalette::Window, colors::kViewerWindow);
    if (!restoreGeometry(QSettings().value(kGeometryKey).toByteArray())) PlaceBesideMain();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(createFileRow());
    layout->addLayout(createChoiceRow());
    RecordView1 = Named(new RecordView, "RecordView1");
    layout->addWidget(RecordView1, 3);
    Label27 = NewLabel("Label27");
    Label27->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label28 = NewLabel("Label28");
    auto* status = new QHBoxLayout;
    status->addWidget(Label27, 1);
    status->addWidget(Label28);
    layout->addLayout(status);
    Label30 = NewLabel("Label30");
    Label30->setWordWrap(true);
    Button14 =
        Named(new QPushButton, "Button14", tr("「テキストレコードの抽出」の文字コードを変えます"));
    auto* hints = new QHBoxLayout;
    hints->addWidget(Label30, 1);
    hints->addWidget(Button14);
    layout->addLayout(hints);
    createPreview();
    layout->addWidget(Label29);
    layout->addWidget(Memo1, 2);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(kRefreshMs);
    connect(refreshTimer_, &QTimer::timeout, this, &TForm6::Refresh);
    // A hidden viewer reads nothing: showing it opens the source afresh.
    connect(&form1_, &TForm1::conditionsChanged, this, [this] {
        if (isVisible()) refreshTimer_->start();
    });
    connect(Edit11, &QLineEdit::textChanged, refreshTimer_, qOverload<>(&QTimer::start));
    connect(RecordView1, &RecordView::viewChanged, this, &TForm6::ShowSplits);
    connect(RecordView1, &RecordView::viewChanged, this, &TForm6::ShowHints);
    connect(Button14, &QPushButton::clicked, this, &TForm6::Button14Click);
    connect(RecordView1, &RecordView::pointed, Label27, &QLabel::setText);
    connect(RecordView1, &RecordView::spanChosen, this, &TForm6::SpanChosen);
    connect(RecordView1, &RecordView::readFailed, this, &TForm6::ShowReadError);
    connect(RecordView1, &RecordView::opened, this, &TForm6::FileOpened);
    connect(Edit12, &QLineEdit::returnPressed, this, &TForm6::Button13Click);
    connect(Button13, &QPushButton::clicked, this, &TForm6::Button13Click);
    connect(previewing_, &QFutureWatcherBase::finished, this, &TForm6::ShowPreview);
}

// A viewer still open when the program ends keeps its place too: the destructor of the base
// hides it without a hide event.
TForm6::~TForm6() {
    previewStop_->store(true);
    if (isVisible()) RememberPlace();
}

// Where it hides least of the main window, its frame as large as the screen allows.
void TForm6::PlaceBesideMain() {
    const QRect inner = form1_.geometry();
    const QRect outer = form1_.frameGeometry();
    const QMargins known(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    // A main window shown a moment ago may not know its frame yet.
    const QMargins frame = known.isNull() ? kFrameGuess : known;
    const QRect place = PlaceBeside(inner.marginsAdded(frame), form1_.screen()->availableGeometry(),
                                    kWanted, kLeast);
    resize(place.size().shrunkBy(frame));
    move(place.topLeft());
}

void TForm6::RememberPlace() {
    QSettings().setValue(kGeometryKey, saveGeometry());
}

void TForm6::hideEvent(QHideEvent* event) {
    RememberPlace();
    QWidget::hideEvent(event);
}

QBoxLayout* TForm6::createFileRow() {
    auto* row = new QHBoxLayout;
    Label21 = NewLabel("Label21", tr("元ﾌｧｲﾙ："));
    Label22 = NewLabel("Label22");
    Label22->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path is cut at the window's edge rather than widening the window past the screen.
    Label22->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label23 = NewLabel("Label23", tr("＠相当文字："));
    Edit11 = Named(new QLineEdit, "Edit11", tr("元ﾌｧｲﾙ名の＠に入れて表示する文字"));
    Edit11->setFixedWidth(90);
    row->addWidget(Label21);
    row->addWidget(Label22, 1);
    row->addWidget(Label23);
    row->addWidget(Edit11);
    return row;
}

// Two rows, so that the viewer fits beside the main window on a small screen.
QBoxLayout* TForm6::createChoiceRow() {
    auto* rows = new QVBoxLayout;
    auto* jump = new QHBoxLayout;
    auto* drag = new QHBoxLayout;
    rows->addLayout(jump);
    rows->addLayout(drag);
    Label24 = NewLabel("Label24", tr("ﾚｺｰﾄﾞ番号："));
    Label26 = NewLabel("Label26");
    Edit12 = Named(new QLineEdit, "Edit12", tr("この番号のﾚｺｰﾄﾞを先頭に表示します"));
    Edit12->setFixedWidth(100);
    Button13 = Named(new QPushButton(tr("移動")), "Button13");
    Label25 = NewLabel("Label25", tr("ものさしのﾄﾞﾗｯｸﾞで："));
    RadioButton9 = Named(new QRadioButton(tr("項目を追加")), "RadioButton9",
                         tr("ﾄﾞﾗｯｸﾞした桁をﾌｨｰﾙﾄﾞ項目の次の行にします"));
    RadioButton10 =
        Named(new QRadioButton(tr("繰り返し (Shift)")), "RadioButton10",
              tr("ﾄﾞﾗｯｸﾞした桁を最後の項目の次の左位置にし、ﾗｽﾄ左位置を先頭ﾚｺｰﾄﾞに入る最後"
                 "の繰り返しにします"));
    RadioButton11 = Named(new QRadioButton(tr("キー位置 (Ctrl)")), "RadioButton11",
                          tr("ﾄﾞﾗｯｸﾞした桁をキー位置に加えます"));
    RadioButton9->setChecked(true);
    jump->addWidget(Label24);
    jump->addWidget(Edit12);
    jump->addWidget(Button13);
    jump->addStretch(1);
    jump->addWidget(Label26);
    drag->addWidget(Label25);
    drag->addWidget(RadioButton9);
    drag->addWidget(RadioButton10);
    drag->addWidget(RadioButton11);
    drag->addStretch(1);
    return rows;
}

void TForm6::createPreview() {
    Label29 = NewLabel("Label29");
    Memo1 = Named(new QPlainTextEdit, "Memo1");
    Memo1->setFont(JapaneseFont(Face::Gothic, 13));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
}

// The main window's source name, "@" replaced by the viewer's text for it; none while that
// text is still to be typed.
std::optional<TForm6::Source> TForm6::Wanted(const ExtractionRequest& form) const {
    const std::string name = TrimSide("B", form.SourceName);
    const bool series = name.find('@') != std::string::npos;
    Label23->setVisible(series);
    Edit11->setVisible(series);
    if (!series) return Source{name, form.LineRules, form.Encoding};
    if (Edit11->text().isEmpty()) return std::nullopt;
    return Source{ReplacePlaceholder(name, ToBytes(Edit11->text())), form.LineRules, form.Encoding};
}

void TForm6::ShowSource() {
    shown_.reset();
    Refresh();
}

// A file that cannot be read any more, or not yet, says so in the preview's place.
void TForm6::Refresh() {
    try {
        Update();
    } catch (...) {
        ShowReadError(FromBytes(CurrentErrorText(WindowLanguage())));
    }
}

void TForm6::ShowReadError(const QString& text) {
    readError_ = text;
    Label29->setText(tr("抽出の見本："));
    Memo1->setPlainText(text);
}

void TForm6::Update() {
    const ExtractionRequest form = form1_.Input();
    const std::optional<Source> wanted = Wanted(form);
    if (!wanted) {
        AskPlaceholder(form);
        return;
    }
    if (!shown_ || !(*shown_ == *wanted)) Open(*wanted);
    OutputPreview checked = CheckPreview(form);
    RecordView1->SetConditions(checked.conditions);
    if (checked.refusal) {
        StopPreview();
        Label29->setText(tr("抽出の見本：この条件では抽出できません"));
        // The reason the records are not shown stays in view below the refusal.
        QString text = FromBytes(Say(WindowLanguage(), checked.refusal->message));
        if (!readError_.isEmpty()) text += "\n\n" + readError_;
        Memo1->setPlainText(text);
        return;
    }
    StartPreview(std::move(checked), form);
}

// Up to 64 MiB of the source are read for a preview: never while the window waits.
void TForm6::StartPreview(OutputPreview checked, const ExtractionRequest& form) {
    StopPreview();
    Label29->setText(tr("抽出の見本：元ﾌｧｲﾙを読んでいます…"));
    previewing_->setFuture(QtConcurrent::run(
        readers_, [checked = std::move(checked), form, placeholder = ToBytes(Edit11->text()),
                   stop = previewStop_]() mutable {
            return ReadInBackground(std::move(checked), form, placeholder, *stop);
        }));
}

void TForm6::StopPreview() {
    previewStop_->store(true);
    previewStop_ = std::make_shared<std::atomic<bool>>(false);
    previewing_->setFuture(QFuture<Previewed>());
}

TForm6::Previewed TForm6::ReadInBackground(OutputPreview checked, const ExtractionRequest& form,
                                           const std::string& placeholderText,
                                           const std::atomic<bool>& stop) {
    try {
        ReadPreview(checked, form, placeholderText, &stop);
    } catch (const Stopped&) {
    } catch (...) {
        return {{}, FromBytes(CurrentErrorText(WindowLanguage()))};
    }
    return {std::move(checked), {}};
}

void TForm6::ShowPreview() {
    if (!Taken(*previewing_)) return;
    const Previewed read = previewing_->result();
    if (!read.error.isEmpty()) {
        ShowReadError(read.error);
        return;
    }
    const OutputPreview& preview = read.preview;
    QString heading = tr("抽出の見本：元ﾌｧｲﾙの %1 ﾚｺｰﾄﾞから %2 ﾚｺｰﾄﾞ（改行 %3）")
                          .arg(Count(preview.sourceRecords))
                          .arg(preview.records.size())
                          .arg(LineEndText(preview.lineEnd));
    if (preview.scanCut) heading += tr("　先頭 64MB までを読みました");
    Label29->setText(heading);
    RecordText text(preview.writtenIn);
    QStringList lines;
    if (!preview.header.empty()) lines << text.Record(preview.header);
    for (const std::string& record : preview.records) lines << text.Record(record);
    Memo1->setPlainText(lines.join('\n'));
    if (!preview.header.empty()) ShowHeaderApart();
}

// The header row the output begins with, in bold above the records.
void TForm6::ShowHeaderApart() {
    QTextCursor header(Memo1->document());
    header.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    header.mergeCharFormat(bold);
}

// The file is opened by the view's first read, aside from the window thread; what cannot be
// read is said then.
void TForm6::Open(const Source& source) {
    Label22->setText(FromBytes(source.name));
    ShowChoices(source, std::nullopt);
    otherCodePage_.reset();
    readError_.clear();
    RecordView1->SetPager(
        std::make_unique<RecordPager>(source.name, source.rule, RecordView::kShownBytes),
        source.cp);
    shown_ = source;
    ShowHints();
}

void TForm6::FileOpened(LineRule rule, std::string_view head) {
    if (!shown_) return;
    ShowChoices(*shown_, rule);
    otherCodePage_ = OtherCodePage(head, shown_->cp);
    ShowHints();
}

// The main window's line rule and encoding. A rule chosen is known without reading; an
// automatic one once the file's first bytes have been read.
void TForm6::ShowChoices(const Source& source, std::optional<LineRule> found) {
    const bool automatic = source.rule == LineRuleChoice::Auto;
    const std::optional<LineRule> rule = automatic ? found : DecideLineRule(source.rule, "");
    const QString ruleText = rule ? LineRuleShown(*rule, automatic) : AutomaticShown();
    Label26->setText(tr("改行：%1　文字コード：%2").arg(ruleText, EncodingText(source.cp)));
}

// A source name with "@" is shown once the text for "@" is typed.
void TForm6::AskPlaceholder(const ExtractionRequest& form) {
    shown_.reset();
    StopPreview();
    const Source named{TrimSide("B", form.SourceName), form.LineRules, form.Encoding};
    Label22->setText(FromBytes(named.name));
    RecordView1->SetPager(nullptr, CodePage::Cp932);
    otherCodePage_.reset();
    ShowHints();
    ShowChoices(named, std::nullopt);
    Label29->setText(tr("抽出の見本："));
    Memo1->setPlainText(tr("** 元ﾌｧｲﾙ名の＠に入れる文字を「＠相当文字」に入れてください。"));
    MoveFocus(Edit11);
}

void TForm6::ShowSplits() {
    const int splits = RecordView1->SplitRecords();
    QPalette p = Label28->palette();
    p.setColor(QPalette::WindowText, splits > 0 ? QColor(colors::kSplitCharacter) : Qt::black);
    Label28->setPalette(p);
    Label28->setText(splits > 0 ? tr("文字を途中で切る境界：表示中の %1 ﾚｺｰﾄﾞ").arg(splits)
                                : QString());
}

// What may explain records that look wrong: the code page, an early end, long records.
void TForm6::ShowHints() {
    QStringList hints;
    if (otherCodePage_ && shown_) {
        hints << tr("このﾌｧｲﾙは %1 ではなく %2 のようです。")
                     .arg(EncodingText(shown_->cp), EncodingText(*otherCodePage_));
    }
    if (const auto mark = RecordView1->EndMark()) {
        hints << tr("%1 ﾊﾞｲﾄ目の 0x1A はﾌｧｲﾙの終わりの印です。ﾚｺｰﾄﾞはその前で"
                    "終わり、その後は読みません。")
                     .arg(Count(static_cast<std::int64_t>(*mark) + 1));
    }
    if (RecordView1->LongRecordInView()) {
        hints << tr("%1 ﾊﾞｲﾄより長いﾚｺｰﾄﾞは先頭の %1 ﾊﾞｲﾄだけを表示します"
                    "（抽出はﾚｺｰﾄﾞ全体を読みます）。")
                     .arg(Count(static_cast<std::int64_t>(RecordView::kShownBytes)));
    }
    Label30->setText(hints.join(tr("　")));
    Label30->setVisible(!hints.isEmpty());
    Button14->setVisible(otherCodePage_.has_value());
    if (otherCodePage_) {
        Button14->setText(tr("%1 で読む").arg(EncodingText(*otherCodePage_)));
    }
}

// The main window's choice changes; the viewer follows it as it follows any change there.
void TForm6::Button14Click() {
    if (otherCodePage_) form1_.SetCodePage(*otherCodePage_);
}

// The viewer's choice, or the key held: Shift for a repetition, Ctrl for a key item.
void TForm6::SpanChosen(int left, int right, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ControlModifier ||
        (!(modifiers & Qt::ShiftModifier) && RadioButton11->isChecked())) {
        AddKey(left, right);
    } else if (modifiers & Qt::ShiftModifier || RadioButton10->isChecked()) {
        RepeatField(left);
    } else {
        AddField(left, right);
    }
}

void TForm6::AddField(int left, int right) {
    const int row = FirstEmptyRow(form1_.Input().FieldRows);
    form1_.SetFieldRow(row, {std::to_string(left), std::to_string(right), "", ""});
}

void TForm6::RepeatField(int nextLeft) {
    const auto rows = form1_.Input().FieldRows;
    const int row = LastFilledRow(rows);
    if (row == 0) {
        ShowMessage(this, tr("** 繰り返すﾌｨｰﾙﾄﾞ項目がありません。先に項目をﾄﾞﾗｯｸﾞしてください。"));
        return;
    }
    const auto cells = WithRepeat(rows[static_cast<std::size_t>(row) - 1], nextLeft,
                                  RecordView1->TopRecordLength());
    if (!cells) {
        ShowMessage(this, tr("** 繰り返しは、最後の項目の左位置より右からﾄﾞﾗｯｸﾞしてください。"));
        return;
    }
    form1_.SetFieldRow(row, *cells);
}

void TForm6::AddKey(int left, int right) {
    form1_.SetKeyPositions(WithKeyItem(form1_.Input().KeyPositions, left, right));
}

void TForm6::Button13Click() {
    const std::string text = TrimSide("B", ToBytes(Edit12->text()));
    if (text.empty() || text.size() > 18 || CheckDigits(text) != 0 || std::stoll(text) < 1) {
        ShowMessage(this, tr("** ﾚｺｰﾄﾞ番号は 1 以上の数字で指定してください。"));
        return;
    }
    RecordView1->JumpTo(std::stoll(text));
}

}  // namespace rivex::ui
