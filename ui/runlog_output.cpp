#include "ui/runlog_output.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "engine/codepage.h"
#include "engine/output_file.h"
#include "engine/platform_error.h"
#include "engine/record_writer.h"
#include "ui/print_layout.h"
#include "ui/qt_text.h"

namespace rivex::ui {
namespace {

class PrinterMetrics : public LineMetrics {
  public:
    PrinterMetrics(const QFont& font, QPrinter& printer) : metrics_(font, &printer) {}
    int Width(const QString& text) const override { return metrics_.horizontalAdvance(text); }
    int Height(const QString&) const override { return metrics_.height(); }
    int CharHeight() const override { return metrics_.height(); }

  private:
    QFontMetrics metrics_;
};

}  // namespace

void PrintRunLog(QPrinter& printer, const QFont& font, const QStringList& lines) {
    QStringList printed;
    for (const QString& line : lines) printed << "     " + line;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const PrinterMetrics metrics(font, printer);
    const auto pieces = LayOutLines(printed, metrics, page.width(), page.height());

    QPainter painter;
    if (!painter.begin(&printer)) throw PlatformError({Phrase::PrinterInvalid});
    painter.setFont(font);
    const int ascent = QFontMetrics(font, &printer).ascent();
    int currentPage = 0;
    for (const PrintedPiece& piece : pieces) {
        for (; currentPage < piece.page; ++currentPage) printer.newPage();
        painter.drawText(piece.x, piece.y + ascent, piece.text);
    }
    painter.end();
}

void SaveRunLog(const QString& path, const QStringList& lines) {
    const std::string name = ToBytes(path);
    CreateFolders(name);
    RecordWriter file(CreateFile(name), name);
    for (const QString& line : lines) {
        file.Append(ToCp932Lossy(ToBytes(line)));
        file.EndRecord();
    }
    file.Close();
}

}  // namespace rivex::ui
