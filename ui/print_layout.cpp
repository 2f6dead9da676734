#include "ui/print_layout.h"

namespace rivex::ui {
namespace {

// The longest head of `text` that fits `room`, shortened from its end one character at a
// time; a surrogate pair is one character. A first character wider than the whole room is
// taken alone, so that every line ends.
QString FittingHead(const QString& text, int room, const LineMetrics& metrics) {
    QString head = text;
    while (head.size() > 1 && metrics.Width(head) > room) {
        head.chop(head.size() >= 2 && head.back().isLowSurrogate() ? 2 : 1);
    }
    return head;
}

}  // namespace

std::vector<PrintedPiece> LayOutLines(const QStringList& lines, const LineMetrics& metrics,
                                      int pageWidth, int pageHeight) {
    std::vector<PrintedPiece> pieces;
    int page = 0;
    int y = 0;
    for (const QString& line : lines) {
        QString rest = line;
        do {
            int lineHeight = 0;
            if (!rest.isEmpty()) {
                const QString head = FittingHead(rest, pageWidth, metrics);
                pieces.push_back({page, 0, y, head});
                const int h = metrics.Height(head);
                if (h > lineHeight) lineHeight = h + 2;
                rest.remove(0, head.size());
            }
            y += lineHeight == 0 ? metrics.CharHeight() : lineHeight;
            if (y > pageHeight - 2 * lineHeight) {
                ++page;
                y = 0;
            }
        } while (!rest.isEmpty());
    }
    return pieces;
}

}  // namespace rivex::ui
