// The records of a file on a byte grid: a ruler of byte columns above, record numbers at the
// left, one cell per byte, a character over the cells of its bytes, and the conditions'
// fields and keys drawn on the columns. Only the records in view are read, on a worker
// thread: a record of gigabytes is measured while the window goes on painting.
#pragma once

#include <QAbstractScrollArea>
#include <QFutureWatcher>
#include <atomic>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/conditions.h"
#include "engine/record_pager.h"
#include "ui/record_marks.h"
#include "ui/record_text.h"

class QThreadPool;

namespace rivex::ui {

class RecordView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // Bytes of a record shown at most.
    static constexpr std::size_t kShownBytes = 4096;

    explicit RecordView(QWidget* parent = nullptr);
    ~RecordView() override;

    // The file to show, from its first record, its bytes in `cp`.
    void SetPager(std::unique_ptr<RecordPager> pager, CodePage cp);
    // Fields and keys to draw.
    void SetConditions(const Conditions& c);
    // Shows record `number` at the top, or the last records when there are fewer.
    void JumpTo(std::int64_t number);

    // The byte column (from 1) under `pos` in the viewport, or 0 over the record numbers.
    int ColumnAt(QPoint pos) const;
    // The record shown at the top, its length; 0 when none.
    std::uint64_t TopRecordLength() const;
    // Records in view in which a boundary cuts a character.
    int SplitRecords() const { return splitRecords_; }
    // Records are being read for the view.
    bool Reading() const { return reading_; }
    // A record in view is longer than the bytes shown of it.
    bool LongRecordInView() const;
    // Where a 0x1A ends the records before the end of the file, once read up to it.
    std::optional<std::uint64_t> EndMark() const { return endMark_; }

  signals:
    // The columns `left` to `right` (from 1) chosen by a drag, with the keys held at its end.
    void spanChosen(int left, int right, Qt::KeyboardModifiers modifiers);
    // What lies under the mouse: the column, its byte and its character.
    void pointed(const QString& text);
    // The records in view changed, or the conditions drawn on them.
    void viewChanged();
    // The file could not be read: the error box's text.
    void readFailed(const QString& text);
    // The file's first read learnt its line rule and first bytes.
    void opened(rivex::LineRule rule, std::string_view head);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    struct Shown {
        RecordPager::Record record;
        std::vector<ByteKind> kinds;
        std::vector<ColumnMark> marks;
    };
    // What a worker read for the view: the records from `first` on, or the error's text.
    struct Page {
        std::int64_t asked = 0;  // the first record wanted
        std::size_t rows = 0;    // and how many
        std::int64_t first = 0;
        std::vector<RecordPager::Record> records;
        std::int64_t count = 0;
        bool countKnown = false;
        std::optional<std::uint64_t> endMark;
        QString error;
    };
    static Page ReadPage(RecordPager& pager, std::int64_t first, std::size_t rows,
                         const std::atomic<bool>& stop);
    int VisibleRows() const;
    int VisibleColumns() const;
    int RowAt(QPoint pos) const;  // index into shown_, -1 over the ruler
    int ColumnX(int column) const;
    void Fetch();
    void StartReading();
    void Fetched();
    void ShowPage(Page page);
    void StopReading();
    void FitGutter(std::int64_t widest);
    void Remark();
    void UpdateScrollBars();
    void Point(QPoint pos);
    void PointAgain();
    void PaintRuler(QPainter& painter);
    void PaintBands(QPainter& painter);
    void PaintRecord(QPainter& painter, const Shown& shown, int y);

    // Shared with the worker reading it; one read at a time, the next asked for meanwhile
    // starts when it ends.
    std::shared_ptr<RecordPager> pager_;
    QThreadPool* readers_;
    QFutureWatcher<Page>* read_;
    bool reading_ = false;  // until the page read is taken up
    std::shared_ptr<std::atomic<bool>> stop_;
    bool again_ = false;
    bool announced_ = false;  // opened was emitted for pager_
    std::int64_t count_ = 0;
    bool countKnown_ = false;
    std::optional<std::uint64_t> endMark_;
    std::unique_ptr<RecordText> text_;
    Conditions conditions_;
    std::vector<Shown> shown_;
    int splitRecords_ = 0;
    int cellWidth_ = 0;
    int rowHeight_ = 0;
    int rulerHeight_ = 0;    // the column numbers and the field bands below them
    int numbersHeight_ = 0;  // the column numbers and ticks
    int gutterWidth_ = 0;
    int pointedColumn_ = 0;
    QPoint pressPos_;
    int pressColumn_ = 0;  // the column the left button went down on, 0 when it is up
    int dragFrom_ = 0;     // the column a drag started at, 0 until the mouse moved far enough
    int dragTo_ = 0;
};

}  // namespace rivex::ui
