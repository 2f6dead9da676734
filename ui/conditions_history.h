// The main window's history of its conditions, for undo and redo. A step holds the
// conditions before and after one change: what changed them while one event was handled (a
// cell's edit, a Delete over cells, a loaded conditions file, a drag in the viewer, a row put
// in or taken out, a choice clicked), or a run of typing in one text box.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <string>
#include <vector>

#include "engine/extraction_request.h"

class QAction;
class QWidget;

namespace rivex::ui {

// The conditions as the window shows them: with the grids' rows, empty ones too, and which
// rows are labelled.
struct ConditionsShown {
    ExtractionRequest form;
    std::vector<bool> fieldLabels;
    std::vector<bool> rangeLabels;

    friend bool operator==(const ConditionsShown&, const ConditionsShown&) = default;
};

class ConditionsHistory : public QObject {
    Q_OBJECT

  public:
    using Read = std::function<ConditionsShown()>;
    using Show = std::function<void(const ConditionsShown&)>;

    // `read` gives what the window shows now, `show` puts conditions back into it.
    ConditionsHistory(Read read, Show show, QObject* parent);

    // A change seen: recorded when the event at hand has been handled, together with every
    // other change it makes.
    void Changed();
    // A change not recorded yet, recorded now.
    void Record();
    // What `change` does, recorded as a step of its own.
    void OneStep(const std::function<void()>& change);
    void Undo();
    void Redo();

    // The undo and redo keys, active while `window` is the active window.
    void AddKeys(QWidget* window);
    // For menus: enabled while there is something to undo or redo.
    QAction* UndoAction() const { return undoAction_; }
    QAction* RedoAction() const { return redoAction_; }

  private:
    class Step;

    void Put(const ConditionsShown& shown);

    Read read_;
    Show show_;
    QUndoStack stack_;
    ConditionsShown recorded_;
    bool pending_ = false;
    // The text box typed into by the last step, until the focus moves or a step is undone.
    std::string ExtractionRequest::*typing_ = nullptr;
    QAction* undoAction_;
    QAction* redoAction_;
};

}  // namespace rivex::ui
