#include "ui/record_view.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <climits>

#include "engine/column_writer.h"
#include "engine/output_layout.h"
#include "engine/platform_error.h"
#include "engine/record_selection.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/window_colors.h"
#include "ui/window_language.h"
#include "ui/worker_result.h"

namespace rivex::ui {
namespace {

constexpr int kFontPixels = 14;
constexpr int kRulerFontPixels = 10;
constexpr int kGutterDigits = 7;

int Clamped(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

}  // namespace

RecordView::RecordView(QWidget* parent)
    : QAbstractScrollArea(parent),
      readers_(ReadingPool(this)),
      read_(new QFutureWatcher<Page>(this)),
      stop_(std::make_shared<std::atomic<bool>>(false)) {
    setFont(JapaneseFont(Face::Gothic, kFontPixels));
    const QFontMetrics metrics(font());
    cellWidth_ = metrics.horizontalAdvance(QLatin1Char('0')) + 2;
    rowHeight_ = metrics.height() + 4;
    const int rulerText = QFontMetrics(JapaneseFont(Face::Gothic, kRulerFontPixels)).height();
    numbersHeight_ = rulerText + 14;
    rulerHeight_ = numbersHeight_ + rulerText + 4;
    FitGutter(0);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(p);
    connect(read_, &QFutureWatcherBase::finished, this, &RecordView::Fetched);
}

RecordView::~RecordView() {
    stop_->store(true);
}

void RecordView::SetPager(std::unique_ptr<RecordPager> pager, CodePage cp) {
    StopReading();
    pager_ = std::move(pager);
    announced_ = false;
    count_ = 0;
    countKnown_ = false;
    endMark_.reset();
    text_ = std::make_unique<RecordText>(cp);
    conditions_.DataCodePage = cp;
    {
        const QSignalBlocker blockV(verticalScrollBar());
        const QSignalBlocker blockH(horizontalScrollBar());
        verticalScrollBar()->setValue(0);
        horizontalScrollBar()->setValue(0);
    }
    shown_.clear();
    Fetch();
    viewport()->update();
}

void RecordView::SetConditions(const Conditions& c) {
    conditions_ = c;
    if (text_) conditions_.DataCodePage = text_->Page();
    Remark();
    viewport()->update();
}

void RecordView::JumpTo(std::int64_t number) {
    QScrollBar* bar = verticalScrollBar();
    const int value = Clamped(number - 1);
    if (value > bar->maximum()) bar->setMaximum(value);
    if (value == bar->value()) {
        Fetch();
    } else {
        bar->setValue(value);
    }
}

int RecordView::VisibleRows() const {
    return std::max(1, (viewport()->height() - rulerHeight_) / rowHeight_);
}

int RecordView::VisibleColumns() const {
    return std::max(1, (viewport()->width() - gutterWidth_) / cellWidth_);
}

int RecordView::ColumnAt(QPoint pos) const {
    if (pos.x() < gutterWidth_) return 0;
    return horizontalScrollBar()->value() + (pos.x() - gutterWidth_) / cellWidth_ + 1;
}

int RecordView::RowAt(QPoint pos) const {
    return pos.y() < rulerHeight_ ? -1 : (pos.y() - rulerHeight_) / rowHeight_;
}

int RecordView::ColumnX(int column) const {
    return gutterWidth_ + (column - 1 - horizontalScrollBar()->value()) * cellWidth_;
}

std::uint64_t RecordView::TopRecordLength() const {
    return shown_.empty() ? 0 : shown_.front().record.length;
}

bool RecordView::LongRecordInView() const {
    return std::any_of(shown_.begin(), shown_.end(),
                       [](const Shown& shown) { return shown.record.length > kShownBytes; });
}

void RecordView::Fetch() {
    if (!pager_) return;
    if (Reading()) {
        again_ = true;
        return;
    }
    StartReading();
}

void RecordView::StartReading() {
    again_ = false;
    reading_ = true;
    const std::size_t rows = static_cast<std::size_t>(VisibleRows()) + 1;
    const std::int64_t first = verticalScrollBar()->value() + 1;
    read_->setFuture(QtConcurrent::run(readers_, [pager = pager_, stop = stop_, first, rows] {
        return ReadPage(*pager, first, rows, *stop);
    }));
    if (shown_.empty()) viewport()->update();
}

// The file read from `first` on; past the end, its last records. A file that went away or
// changed kind since it was opened says why instead; nothing may leave a worker.
RecordView::Page RecordView::ReadPage(RecordPager& pager, std::int64_t first, std::size_t rows,
                                      const std::atomic<bool>& stop) {
    Page page;
    page.asked = page.first = first;
    page.rows = rows;
    try {
        page.records = pager.Records(first, rows, &stop);
        if (page.records.size() < rows - 1 && first > 1 && pager.CountKnown()) {
            page.first = std::max<std::int64_t>(
                1, pager.RecordCount() - static_cast<std::int64_t>(rows) + 2);
            page.records = pager.Records(page.first, rows, &stop);
        }
        page.count = pager.RecordCount();
        page.countKnown = pager.CountKnown();
        page.endMark = pager.EndMark();
    } catch (const Stopped&) {
    } catch (...) {
        page.records.clear();
        page.error = FromBytes(CurrentErrorText(WindowLanguage()));
    }
    return page;
}

// A page read for a place the view has since left is read again for where it is now; one
// for the same place and size is shown as it is.
void RecordView::Fetched() {
    if (!Taken(*read_)) return;
    reading_ = false;
    Page page = read_->result();
    const bool moved = page.asked != verticalScrollBar()->value() + 1;
    const bool grown = page.rows < static_cast<std::size_t>(VisibleRows()) + 1;
    if (again_ && moved) {
        StartReading();
        return;
    }
    ShowPage(std::move(page));
    if (again_ && grown) StartReading();
    again_ = false;
}

void RecordView::ShowPage(Page page) {
    shown_.clear();
    if (!page.error.isEmpty()) {
        Remark();
        viewport()->update();
        PointAgain();  // no record lies under the mouse any more
        emit readFailed(page.error);
        return;
    }
    // No worker reads the pager now: what it learnt may be looked at.
    if (!announced_ && pager_->Opened()) {
        announced_ = true;
        emit opened(pager_->Rule(), pager_->Head());
    }
    count_ = page.count;
    countKnown_ = page.countKnown;
    endMark_ = page.endMark;
    for (auto& record : page.records) {
        std::vector<ByteKind> kinds = Classify(record.head, text_->Page());
        shown_.push_back({std::move(record), std::move(kinds), {}});
    }
    FitGutter(std::max(shown_.empty() ? 0 : shown_.back().record.number, count_));
    UpdateScrollBars();
    {
        const QSignalBlocker block(verticalScrollBar());
        verticalScrollBar()->setValue(Clamped(page.first - 1));
    }
    Remark();
    viewport()->update();
    PointAgain();
}

// A worker still reading the file shown before ends at its next block; its page is dropped.
void RecordView::StopReading() {
    stop_->store(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    read_->setFuture(QFuture<Page>());
    reading_ = again_ = false;
}

// Record numbers up to `widest` are shown whole, however many digits they take.
void RecordView::FitGutter(std::int64_t widest) {
    const qsizetype digits = QString::number(widest).size();
    gutterWidth_ = QFontMetrics(font()).horizontalAdvance(
                       QString(std::max<qsizetype>(kGutterDigits, digits), QLatin1Char('0'))) +
                   12;
}

void RecordView::Remark() {
    splitRecords_ = 0;
    for (Shown& shown : shown_) {
        shown.marks = MarkColumns(shown.record.head, shown.record.length, conditions_,
                                  shown.record.head.size());
        if (HasSplit(shown.marks)) ++splitRecords_;
    }
    emit viewChanged();
}

// A file whose number of records is still a guess is scrolled when the slider is let go:
// a far position may take a while to reach.
void RecordView::UpdateScrollBars() {
    QScrollBar* vertical = verticalScrollBar();
    const int rows = VisibleRows();
    vertical->setRange(0, Clamped(count_ - rows));
    vertical->setPageStep(rows);
    vertical->setTracking(countKnown_);
    std::size_t longest = 0;
    for (const Shown& shown : shown_) longest = std::max(longest, shown.record.head.size());
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, static_cast<int>(longest) + 2 - VisibleColumns()));
    horizontal->setPageStep(VisibleColumns());
    horizontal->setSingleStep(5);
}

void RecordView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Fetch();
}

// Records scrolled into view are read first; columns are at hand.
void RecordView::scrollContentsBy(int, int dy) {
    if (dy != 0) {
        Fetch();
    } else {
        viewport()->update();
        PointAgain();
    }
}

void RecordView::mousePressEvent(QMouseEvent* event) {
    const int column = ColumnAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || column == 0) return;
    pressColumn_ = column;
    pressPos_ = event->position().toPoint();
}

// A hand that shakes while clicking drags nothing: the drag starts past the platform's
// drag distance.
void RecordView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (pressColumn_ != 0 && dragFrom_ == 0 &&
        (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        dragFrom_ = pressColumn_;
    }
    if (dragFrom_ != 0) dragTo_ = std::max(1, ColumnAt(pos));
    Point(pos);
}

void RecordView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressColumn_ = 0;
    if (dragFrom_ == 0) return;
    dragTo_ = std::max(1, ColumnAt(event->position().toPoint()));
    const int left = std::min(dragFrom_, dragTo_);
    const int right = std::max(dragFrom_, dragTo_);
    dragFrom_ = dragTo_ = 0;
    viewport()->update();
    emit spanChosen(left, right, event->modifiers());
}

void RecordView::leaveEvent(QEvent* event) {
    pointedColumn_ = 0;
    viewport()->update();
    emit pointed(QString());
    QAbstractScrollArea::leaveEvent(event);
}

// What the mouse rests on changes under it when keys scroll the view.
void RecordView::PointAgain() {
    if (viewport()->underMouse()) Point(viewport()->mapFromGlobal(QCursor::pos()));
}

// The column under the mouse, and over a record its byte and the character it belongs to.
void RecordView::Point(QPoint pos) {
    pointedColumn_ = ColumnAt(pos);
    viewport()->update();
    if (pointedColumn_ == 0) {
        emit pointed(QString());
        return;
    }
    QString text = tr("%1 桁目").arg(pointedColumn_);
    const int row = RowAt(pos);
    if (row >= 0 && row < std::ssize(shown_)) {
        const Shown& shown = shown_[static_cast<std::size_t>(row)];
        const auto at = static_cast<std::size_t>(pointedColumn_ - 1);
        if (at < shown.record.head.size()) {
            std::size_t start = at;
            while (start > 0 && shown.kinds[start] == ByteKind::Trail) --start;
            const std::size_t length = CharLength(shown.record.head, start, text_->Page());
            const auto byte = static_cast<unsigned char>(shown.record.head[at]);
            text += tr("　ﾚｺｰﾄﾞ %1　バイト 0x%2　文字「%3」")
                        .arg(shown.record.number)
                        .arg(byte, 2, 16, QLatin1Char('0'))
                        .arg(text_->Character(
                            std::string_view(shown.record.head).substr(start, length)));
            if (length > 1) {
                text += tr("（%1～%2 桁目）").arg(start + 1).arg(start + length);
            }
        }
    }
    emit pointed(text);
}

void RecordView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    PaintRuler(painter);
    painter.setFont(font());
    if (shown_.empty() && Reading()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(viewport()->rect().adjusted(gutterWidth_, rulerHeight_, 0, 0),
                         Qt::AlignCenter, tr("ﾚｺｰﾄﾞを読んでいます…"));
    }
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const int y = rulerHeight_ + static_cast<int>(i) * rowHeight_;
        painter.setPen(Qt::darkGray);
        painter.drawText(QRect(0, y, gutterWidth_ - 8, rowHeight_),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(shown_[i].record.number));
        painter.save();
        painter.setClipRect(gutterWidth_, y, viewport()->width() - gutterWidth_, rowHeight_);
        PaintRecord(painter, shown_[i], y);
        painter.restore();
    }
    painter.setPen(Qt::lightGray);
    painter.drawLine(gutterWidth_ - 2, 0, gutterWidth_ - 2, viewport()->height());
}

// Every column ticked, every fifth longer, every tenth numbered; the column under the mouse
// and the span being dragged lit.
void RecordView::PaintRuler(QPainter& painter) {
    painter.fillRect(0, 0, viewport()->width(), rulerHeight_, colors::kRuler);
    painter.setFont(JapaneseFont(Face::Gothic, kRulerFontPixels));
    const int first = horizontalScrollBar()->value() + 1;
    const int dragLeft = std::min(dragFrom_, dragTo_);
    const int dragRight = std::max(dragFrom_, dragTo_);
    for (int column = first; column <= first + VisibleColumns(); ++column) {
        const int x = ColumnX(column);
        if (column == pointedColumn_ ||
            (dragFrom_ != 0 && column >= dragLeft && column <= dragRight)) {
            painter.fillRect(x, 0, cellWidth_, numbersHeight_, colors::kRulerPointed);
        }
        const int tick = column % 10 == 0 ? 9 : column % 5 == 0 ? 6 : 3;
        const int middle = x + cellWidth_ / 2;
        painter.setPen(Qt::black);
        painter.drawLine(middle, numbersHeight_ - tick, middle, numbersHeight_ - 1);
        if (column % 10 == 0 || column == 1) {
            painter.drawText(QRect(middle - 30, 1, 60, numbersHeight_ - 10),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(column));
        }
    }
    painter.drawLine(0, numbersHeight_ - 1, viewport()->width(), numbersHeight_ - 1);
    PaintBands(painter);
    painter.drawLine(0, rulerHeight_ - 1, viewport()->width(), rulerHeight_ - 1);
}

// Under the numbers, each field and repetition as far as the longest record in view reaches,
// in the colour of its columns, with the name of its column in the output.
void RecordView::PaintBands(QPainter& painter) {
    if (conditions_.FieldMode != FieldModes::ListedFields || shown_.empty()) return;
    std::vector<FieldItem> items = conditions_.FieldItems;
    ResolveStar(items, static_cast<std::int64_t>(shown_.front().record.length));
    std::uint64_t longest = 0;
    for (const Shown& shown : shown_) longest = std::max(longest, shown.record.length);
    const int right = viewport()->width();
    OutputLayout(items).ForEachRepetition(longest, [&](std::size_t field, std::size_t repeat,
                                                       std::uint64_t at, std::uint64_t bytes) {
        const QRect band(ColumnX(Clamped(static_cast<std::int64_t>(at)) + 1), numbersHeight_,
                         Clamped(static_cast<std::int64_t>(bytes)) * cellWidth_,
                         rulerHeight_ - numbersHeight_ - 1);
        if (band.right() < gutterWidth_ || band.left() > right) return;
        const QColor& color = colors::kFieldColumns[field % std::size(colors::kFieldColumns)];
        painter.fillRect(band, repeat % 2 == 0 ? color : color.darker(115));
        painter.setPen(Qt::black);
        const QString name = FromBytes(ColumnName(items[field], repeat));
        painter.drawText(band.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(name, Qt::ElideRight, band.width() - 4));
    });
}

void RecordView::PaintRecord(QPainter& painter, const Shown& shown, int y) {
    const std::string_view head = shown.record.head;
    const auto first = static_cast<std::size_t>(horizontalScrollBar()->value());
    const std::size_t end =
        std::min(head.size(), first + static_cast<std::size_t>(VisibleColumns()) + 1);
    for (std::size_t i = first; i < end; ++i) {
        const ColumnMark& mark = shown.marks[i];
        const QRect cell(ColumnX(static_cast<int>(i) + 1), y, cellWidth_, rowHeight_);
        if (mark.field >= 0) {
            const QColor& color =
                colors::kFieldColumns[mark.field % std::size(colors::kFieldColumns)];
            painter.fillRect(cell, mark.repeat % 2 == 0 ? color : color.darker(115));
        }
        if (mark.split) painter.fillRect(cell, colors::kSplitCharacter);
        if (mark.key) painter.fillRect(cell.adjusted(0, rowHeight_ - 4, 0, 0), colors::kKeyColumns);
        if (static_cast<int>(i) + 1 == pointedColumn_)
            painter.fillRect(cell, QColor(255, 214, 102, 110));
    }
    // Characters from the one the first column in view belongs to.
    std::size_t i = first;
    while (i > 0 && i < head.size() && shown.kinds[i] == ByteKind::Trail) --i;
    while (i < end) {
        const std::size_t length = CharLength(head, i, text_->Page());
        const QRect cells(ColumnX(static_cast<int>(i) + 1), y,
                          cellWidth_ * static_cast<int>(length), rowHeight_);
        const QString character = text_->Character(head.substr(i, length));
        painter.setPen(shown.marks[i].split                                     ? Qt::white
                       : character.size() == 1 && character[0] == QChar(0x00B7) ? Qt::gray
                                                                                : Qt::black);
        painter.drawText(cells, Qt::AlignCenter, character);
        i += length;
    }
    // A record longer than shown ends in an arrow.
    if (shown.record.length > head.size() && end == head.size()) {
        painter.setPen(Qt::gray);
        painter.drawText(QRect(ColumnX(static_cast<int>(end) + 1), y, cellWidth_ * 2, rowHeight_),
                         Qt::AlignCenter, tr("→"));
    }
    // Faint lines between every tenth column and the next, for counting.
    painter.setPen(QColor(0, 0, 0, 40));
    for (std::size_t column = (first / 10 + 1) * 10; column < end; column += 10) {
        const int x = ColumnX(static_cast<int>(column) + 1);
        painter.drawLine(x, y, x, y + rowHeight_ - 1);
    }
}

}  // namespace rivex::ui
