#include "ui/Rivex2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include "engine/text_format.h"
#include "ui/fonts.h"
#include "ui/line_rule_shown.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "ui/window_colors.h"
#include "ui/window_place.h"

namespace rivex::ui {
namespace {

constexpr std::int64_t kMsPerDay = 24 * 60 * 60 * 1000;
constexpr int kBarSteps = 1000;

}  // namespace

TForm2::TForm2(EngineState& state, QWidget* owner)
    : QWidget(owner, kSecondaryWindow), state_(state) {
    setWindowTitle(tr("実行状況…"));
    setFont(JapaneseFont(Face::GothicProp, 12));
    move(245, 160);
    setFixedSize(374, 124);
    Label1 = MakeLabel(this, "Label1", tr("　実行中です。しばらくお待ちください…　"), 16, 8);
    Label1->setFont(JapaneseFont(Face::GothicProp, 16, true));
    Label1->adjustSize();
    Label3 = MakeLabel(this, "Label3", tr("＠文字："), 12, 44);
    Edit2 = MakeEdit(this, "Edit2", 60, 41, 84);
    Label2 = MakeLabel(this, "Label2", tr("経過時間："), 156, 44);
    Edit1 = MakeEdit(this, "Edit1", 214, 41, 70);
    for (QLineEdit* edit : {Edit1, Edit2}) edit->setReadOnly(true);
    Button1 = MakeButton(this, "Button1", tr("キャンセル"), 294, 39, 70, 25);
    ProgressBar1 = Place(new QProgressBar(this), "ProgressBar1", 12, 74, 352, 16);
    ProgressBar1->setTextVisible(false);
    Label4 = MakeLabel(this, "Label4", "", 12, 98);
    Label4->setFixedWidth(200);
    Label5 = MakeLabel(this, "Label5", "", 220, 98);
    Label5->setFixedWidth(144);
    Label5->setToolTip(tr("元ﾌｧｲﾙのﾚｺｰﾄﾞの終わりをこの改行で読んでいます"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    ScrollWhenLarger(*this, screen()->availableGeometry());
}

void TForm2::StartPass(const std::string* placeholderText) {
    Label3->setVisible(placeholderText != nullptr);
    Edit2->setVisible(placeholderText != nullptr);
    if (placeholderText) Edit2->setText(FromBytes(Boxed(*placeholderText)));
    SetColor(Label1, QPalette::Window, colors::kProgressBanner);
    ShowReadProgress({0, std::nullopt, 0, {}});
    Timer1->start(1000);
}

void TForm2::ShowReadProgress(const ReadProgress& progress) {
    if (progress.sourceSize && *progress.sourceSize > 0) {
        ProgressBar1->setRange(0, kBarSteps);
        const auto share = static_cast<double>(progress.bytesRead) / *progress.sourceSize;
        ProgressBar1->setValue(static_cast<int>(share * kBarSteps));
    } else if (progress.sourceSize) {
        ProgressBar1->setRange(0, kBarSteps);  // an empty file: nothing to wait for
        ProgressBar1->setValue(0);
    } else {
        ProgressBar1->setRange(0, 0);  // busy: the size cannot be known
    }
    Label4->setText(tr("読込レコード数：") + FromBytes(CountText(progress.records)));
    if (progress.lineRule) {
        Label5->setText(tr("改行：") +
                        LineRuleShown(*progress.lineRule, progress.lineRuleAutomatic));
    }
}

void TForm2::Release() {
    released_ = true;
    Timer1->stop();
    hide();
}

// The window's colour is painted rather than set in its palette: a palette of its own would
// pass on to every control, each a new palette to the style, whose pixmap cache then filled
// with a copy of every control for every window of a long series.
void TForm2::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), colors::kProgressWindow);
}

void TForm2::closeEvent(QCloseEvent* event) {
    if (released_ || !Timer1->isActive()) {
        event->accept();
        return;
    }
    event->ignore();
    Button1Click();
}

// The elapsed time counts ticks: a second for each, whatever their real spacing.
void TForm2::Timer1Timer() {
    state_.ElapsedMs += 1000;
    const std::int64_t ms = state_.ElapsedMs % kMsPerDay;
    const int seconds = static_cast<int>(ms / 1000);
    Edit1->setText(FromBytes(ClockText({seconds / 3600, seconds / 60 % 60, seconds % 60})));
}

void TForm2::Button1Click() {
    QApplication::beep();
    if (!AskYesNo(this, tr("キャンセルしますか？"))) return;
    Timer1->stop();
    state_.CancelFlag = true;
}

}  // namespace rivex::ui
