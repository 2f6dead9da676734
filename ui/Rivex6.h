// The record viewer "レコードの表示": the source file's records on a byte ruler with the
// main window's conditions drawn on them, columns chosen with the mouse into the main
// window's grids, and a preview of what the extraction would write.
#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "engine/codepage.h"
#include "engine/conditions.h"
#include "engine/extraction_request.h"
#include "engine/preview.h"

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QThreadPool;
class QTimer;

namespace rivex::ui {

class RecordView;
class TForm1;

class TForm6 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm6(TForm1& form1);
    ~TForm6() override;

    // Opens the source the main window names, from its first record; what cannot be read or
    // extracted is said where the preview goes.
    void ShowSource();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    // Which file is shown, and how it is read.
    struct Source {
        std::string name;
        LineRuleChoice rule;
        CodePage cp;
        friend bool operator==(const Source&, const Source&) = default;
    };
    // A preview read on a worker, or why it could not be.
    struct Previewed {
        OutputPreview preview;
        QString error;
    };
    static Previewed ReadInBackground(OutputPreview checked, const ExtractionRequest& form,
                                      const std::string& placeholderText,
                                      const std::atomic<bool>& stop);
    void PlaceBesideMain();
    void RememberPlace();
    QBoxLayout* createFileRow();
    QBoxLayout* createChoiceRow();
    void createPreview();
    std::optional<Source> Wanted(const ExtractionRequest& form) const;
    void Open(const Source& source);
    void ShowChoices(const Source& source, std::optional<LineRule> found);
    void FileOpened(LineRule rule, std::string_view head);
    void AskPlaceholder(const ExtractionRequest& form);
    // The conditions redrawn and the preview made again, once the main window has settled;
    // Refresh shows a platform error where the preview goes, Update throws it.
    void Refresh();
    void Update();
    void StartPreview(OutputPreview checked, const ExtractionRequest& form);
    void StopPreview();
    void ShowPreview();
    void ShowHeaderApart();
    void ShowReadError(const QString& text);
    void ShowSplits();
    void ShowHints();
    void Button14Click();
    void SpanChosen(int left, int right, Qt::KeyboardModifiers modifiers);
    void AddField(int left, int right);
    void RepeatField(int nextLeft);
    void AddKey(int left, int right);
    void Button13Click();

    TForm1& form1_;
    std::optional<Source> shown_;
    QString readError_;  // why the records of the source shown cannot be read, if they cannot
    // The code page the shown file seems written in, when not the one chosen.
    std::optional<CodePage> otherCodePage_;
    QTimer* refreshTimer_;
    QThreadPool* readers_;
    // The preview being read; an older one still reading ends at its next block.
    QFutureWatcher<Previewed>* previewing_;
    std::shared_ptr<std::atomic<bool>> previewStop_;

    QLabel* Label21;
    QLabel* Label22;
    QLabel* Label23;
    QLineEdit* Edit11;
    QLabel* Label24;
    QLineEdit* Edit12;
    QPushButton* Button13;
    QLabel* Label25;
    QRadioButton* RadioButton9;
    QRadioButton* RadioButton10;
    QRadioButton* RadioButton11;
    QLabel* Label26;
    RecordView* RecordView1;
    QLabel* Label27;
    QLabel* Label28;
    QLabel* Label30;
    QPushButton* Button14;
    QLabel* Label29;
    QPlainTextEdit* Memo1;
};

}  // namespace rivex::ui
