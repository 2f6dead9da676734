// The page layout of a printed RunLog, kept apart from the printer so that its rules can be
// checked with any font metrics. Positions are device units from the top-left corner of the
// printable area.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace rivex::ui {

class LineMetrics {
  public:
    virtual ~LineMetrics() = default;
    virtual int Width(const QString& text) const = 0;
    virtual int Height(const QString& text) const = 0;
    virtual int CharHeight() const = 0;
};

struct PrintedPiece {
    int page;  // from 0
    int x;
    int y;
    QString text;
};

// Each line is drawn from x = 0; what does not fit the page width is cut between two
// characters and continues on the next line. The line height H is the height of the tallest
// piece drawn on the line plus 2; a page ends when y passes the page height less 2 × H.
std::vector<PrintedPiece> LayOutLines(const QStringList& lines, const LineMetrics& metrics,
                                      int pageWidth, int pageHeight);

}  // namespace rivex::ui
