#include "ui/Rivex5.h"

#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include "ui/clipboard.h"
#include "ui/file_dialog.h"
#include "ui/fonts.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "ui/runlog_output.h"
#include "ui/widgets.h"
#include "ui/window_colors.h"
#include "ui/window_place.h"

namespace rivex::ui {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& text, int left,
                    const QString& hint) {
    QPushButton* button = MakeButton(parent, name, text, left, 412, 57, 25);
    button->setToolTip(hint);
    return button;
}

}  // namespace

TForm5::TForm5(QWidget* owner)
    : QWidget(owner, kSecondaryWindow),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      printFont_(JapaneseFont(Face::GothicProp, 12)) {
    setWindowTitle(tr("レコード数一覧"));
    setFont(JapaneseFont(Face::GothicProp, 12));
    move(192, 107);
    setFixedSize(348, 455);
    printFont_.setPointSize(9);
    Label1 = MakeLabel(this, "Label1", tr("全抽出レコード数："), 32, 16);
    Edit1 = MakeEdit(this, "Edit1", 136, 12, 89, 20);
    Edit1->setReadOnly(true);
    Label3 = MakeLabel(this, "Label3", tr("レコード数一覧："), 24, 44);
    Memo1 = Place(new QPlainTextEdit(this), "Memo1", 16, 63, 313, 338);
    Memo1->setFont(JapaneseFont(Face::Gothic, 12));
    Memo1->setReadOnly(true);
    // The run appends line by line; kept for undoing, a long series would pile up its lines
    // twice over.
    Memo1->setUndoRedoEnabled(false);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    createButtons();
    setTabOrder(Memo1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Edit1);
    ScrollWhenLarger(*this, screen()->availableGeometry());
}

TForm5::~TForm5() = default;

void TForm5::createButtons() {
    Button1 =
        Button(this, "Button1", tr("コピー"), 32, tr("ﾏｳｽで範囲指定してからｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"));
    Button2 = Button(this, "Button2", tr("印　刷"), 107, tr("ﾌﾟﾘﾝﾀｰに出力します"));
    Button3 = Button(this, "Button3", tr("保　存"), 181, tr("ﾌｧｲﾙに出力します"));
    Button4 = Button(this, "Button4", tr("閉じる"), 256, tr("この画面を閉じます"));
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm5::ClearRunLog() {
    runLog_.clear();
    memoBehind_ = false;
    Memo1->clear();
}

void TForm5::AppendRunLog(const QString& line) {
    runLog_ += line.toUtf8().toStdString();
    runLog_ += '\n';
    if (isVisible()) {
        Memo1->appendPlainText(line);
    } else {
        memoBehind_ = true;
    }
}

QStringList TForm5::RunLog() const {
    if (runLog_.empty()) return {};
    QStringList lines = FromBytes(runLog_).split('\n');
    lines.removeLast();  // after the line feed of the closing line
    return lines;
}

void TForm5::SetTotal(const QString& text) {
    Edit1->setText(text);
}

void TForm5::showEvent(QShowEvent* event) {
    if (memoBehind_) {
        Memo1->setPlainText(RunLog().join('\n'));
        memoBehind_ = false;
    }
    SetColor(this, QPalette::Window, colors::kRecordCountWindow);
    QWidget::showEvent(event);
}

// The whole RunLog, whatever is selected.
void TForm5::Button1Click() {
    Guarded(this, [&] {
        CopyLines(RunLog());
        ShowMessage(this, tr("**「ｺﾋﾟｰ」が終わりました。"));
    });
}

// The font dialog, then the page setup, then the print dialog: only cancelling the last one
// stops the print. Qt's page setup serves only a real printer (with none installed, or after
// printing to a file, the printer writes PDF); the print dialog's own page size stands in.
void TForm5::Button2Click() {
    Guarded(this, [&] {
        bool chosen = false;
        const QFont font = QFontDialog::getFont(&chosen, printFont_, this);
        if (chosen) printFont_ = font;
        if (printer_->outputFormat() == QPrinter::NativeFormat) {
            QPageSetupDialog(printer_.get(), this).exec();
        }
        QPrintDialog print(printer_.get(), this);
        // Printing to a PDF file stays offered: a desktop may have no printer at all.
        print.setOptions(QAbstractPrintDialog::PrintToFile |
                         QAbstractPrintDialog::PrintShowPageSize);
        if (print.exec() != QDialog::Accepted) {
            ShowMessage(this, tr("** プリンターが用意されていません。"));
            return;
        }
        PrintRunLog(*printer_, printFont_, RunLog());
        ShowMessage(this, tr("**「印刷」が終わりました。"));
    });
}

void TForm5::Button3Click() {
    Guarded(this, [&] {
        const QString path =
            SaveFileName(this, lastSavePath_, QString(), QFileDialog::DontConfirmOverwrite);
        if (path.isEmpty()) return;
        lastSavePath_ = path;
        SaveRunLog(path, RunLog());
        ShowMessage(this, tr("**「保存」が終わりました。"));
    });
}

}  // namespace rivex::ui
