#include "ui/conditions_history.h"

#include <QAction>
#include <QApplication>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

#include "ui/history_keys.h"

namespace rivex::ui {
namespace {

// The text box whose text alone differs between `before` and `after`, if there is one.
std::string ExtractionRequest::*TypedBox(const ConditionsShown& before,
                                         const ConditionsShown& after) {
    for (std::string ExtractionRequest::*box :
         {&ExtractionRequest::SourceName, &ExtractionRequest::KeyPositions}) {
        ConditionsShown typed = before;
        typed.form.*box = after.form.*box;
        if (before.form.*box != after.form.*box && typed == after) return box;
    }
    return nullptr;
}

}  // namespace

// The change is already made when its step is pushed, so the first redo does nothing. A
// step that goes on typing in the same box joins the one before; typing that ends where it
// began leaves no step.
class ConditionsHistory::Step : public QUndoCommand {
  public:
    Step(ConditionsHistory& history, ConditionsShown before, ConditionsShown after, bool continues)
        : history_(history),
          before_(std::move(before)),
          after_(std::move(after)),
          continues_(continues) {}

    void undo() override { history_.Put(before_); }

    void redo() override {
        if (done_) history_.Put(after_);
        done_ = true;
    }

    int id() const override { return 1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const Step*>(other);
        if (!next->continues_) return false;
        after_ = next->after_;
        setObsolete(after_ == before_);
        return true;
    }

  private:
    ConditionsHistory& history_;
    const ConditionsShown before_;
    ConditionsShown after_;
    const bool continues_;
    bool done_ = false;
};

ConditionsHistory::ConditionsHistory(Read read, Show show, QObject* parent)
    : QObject(parent),
      read_(std::move(read)),
      show_(std::move(show)),
      recorded_(read_()),
      undoAction_(new QAction(tr("元に戻す\tCtrl+Z"), this)),
      redoAction_(new QAction(tr("やり直し\tCtrl+Y"), this)) {
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
    connect(&stack_, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    connect(undoAction_, &QAction::triggered, this, &ConditionsHistory::Undo);
    connect(redoAction_, &QAction::triggered, this, &ConditionsHistory::Redo);
    connect(qApp, &QApplication::focusChanged, this, [this] { typing_ = nullptr; });
}

void ConditionsHistory::Changed() {
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, &ConditionsHistory::Record);
}

void ConditionsHistory::Record() {
    pending_ = false;
    ConditionsShown now = read_();
    if (now == recorded_) return;
    std::string ExtractionRequest::*const typed = TypedBox(recorded_, now);
    const bool continues = typed != nullptr && typed == typing_;
    typing_ = typed;
    auto* step = new Step(*this, recorded_, now, continues);
    recorded_ = std::move(now);
    stack_.push(step);
}

// Nor does the step join a run of typing.
void ConditionsHistory::OneStep(const std::function<void()>& change) {
    Record();
    typing_ = nullptr;
    change();
    Record();
    typing_ = nullptr;
}

void ConditionsHistory::Undo() {
    Record();
    typing_ = nullptr;
    stack_.undo();
}

void ConditionsHistory::Redo() {
    Record();
    typing_ = nullptr;
    stack_.redo();
}

void ConditionsHistory::AddKeys(QWidget* window) {
    auto* undo = new QShortcut(window);
    undo->setKeys(UndoKeys());
    connect(undo, &QShortcut::activated, this, &ConditionsHistory::Undo);
    auto* redo = new QShortcut(window);
    redo->setKeys(RedoKeys());
    connect(redo, &QShortcut::activated, this, &ConditionsHistory::Redo);
}

// What the window then shows is what the next change is measured from.
void ConditionsHistory::Put(const ConditionsShown& shown) {
    show_(shown);
    recorded_ = read_();
}

}  // namespace rivex::ui
