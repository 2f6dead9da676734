// The main window "テキストレコードの抽出": the file names, the extraction conditions on two
// tab pages, and the run.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "engine/extract.h"
#include "engine/extraction_request.h"
#include "engine/state.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace rivex::ui {

class ConditionsHistory;
struct ConditionsShown;
class QtHost;
class StringGrid;
class TForm3;
class TForm5;
class TForm6;

class TForm1 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm1(EngineState& state, QWidget* parent = nullptr);
    ~TForm1() override;

    // The help and record-count list windows, made at program start after this one.
    void SetWindows(TForm3* help, TForm5* recordCounts);

    // `name` as the source file, as if chosen with the source file dialog.
    void ChooseSource(const QString& name);

    // The conditions file: the controls' conditions written to `path`, or the controls filled
    // from it as a user would fill them (a file that is no conditions file is refused with a
    // message and changes nothing). Platform errors are shown in the error box.
    void SaveConditions(const QString& path);
    void LoadConditions(const QString& path);

    // The start time of a run whose checks have passed; the end button is off meanwhile.
    void ShowRunStarted(const QString& startClock);

    // The record viewer on the source file, made at its first use; a window of its own,
    // closed with this one.
    void OpenViewer();
    TForm6* Viewer() const;

    // What the controls hold.
    ExtractionRequest Input() const;
    // Grid row `row` (from 1) of the field grid, added when missing, set to `cells`; the
    // listed fields are chosen.
    void SetFieldRow(int row, const std::array<std::string, 4>& cells);
    // The key positions set to `keys`; selection by code is chosen.
    void SetKeyPositions(const std::string& keys);
    // The records' code page chosen.
    void SetCodePage(CodePage cp);

  signals:
    // A control that the conditions are read from changed.
    void conditionsChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createFileGroup();
    void createReferenceGroup();
    void createDataGroup();
    void createOutputChoices();
    void createConditionsGroup();
    QWidget* createFieldPage();
    QWidget* createRecordPage();
    void createCodeOrderGroup(QWidget* page);
    void createRunGroup();
    void createChoiceGroups();
    void connectHandlers();
    void connectConditionsChanged();
    void createHistory();
    void FormCreate();
    void Refuse(const Refusal& refusal);
    void ShowRunEnded(const RunSummary& summary);
    void SetRunning(bool running);
    void EndOnStopSignal();
    void ChooseOutput(const QString& name);
    void ShowEditMenu(QLineEdit* edit, QPoint at);

    void Button1Click();
    void Button2Click();
    void Edit1KeyPress();
    void RadioButton6Click();
    void RadioButton7Click();
    void StringGrid1KeyPress();
    void RadioButton8Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void Edit3KeyPress();
    void StringGrid2KeyPress();
    void RadioButton4Click();
    void Button4Click();
    void Button9Click();
    void Button7Click();
    void Button6Click();
    void Button10Click();
    void Button11Click();
    void Fill(const ExtractionRequest& form);
    void FillValues(const ExtractionRequest& form);
    void FillModes(const ExtractionRequest& form);

    // The conditions as shown, and put back as they were shown, for undo and redo.
    ConditionsShown Shown() const;
    void Restore(const ConditionsShown& shown);
    void ShowChangedPage(const ConditionsShown& shown);

    // The looks the modes give, without the focus moves of the handlers.
    void OfferFieldGrid(bool offered);
    // Trimming and the header row are choices of CSV and TSV only.
    void ShowOutputFormat();
    void ShowCountMode();
    void ShowCodeMode();
    void ShowModes();
    // The record-selection controls of the key box, the grid and the code options.
    void OfferKeyAndCodes(bool offered);
    void OfferRangeGrid(const QString& label, const QString& hint, const QString& from,
                        const QString& to);

    EngineState& state_;
    std::unique_ptr<QtHost> host_;
    QPointer<TForm3> help_;
    QPointer<TForm5> recordCounts_;
    QPointer<TForm6> viewer_;
    ConditionsHistory* history_;
    bool running_ = false;
    // The placeholder answers a loaded conditions file brought: kept for saving it again.
    std::vector<PlaceholderAnswer> keptAnswers_;
    // The three choices, each exclusive on its own although one group box lies inside
    // another's page.
    QButtonGroup* fieldModes_;
    QButtonGroup* recordModes_;
    QButtonGroup* codeOrders_;

    QGroupBox* GroupBox1;
    QPushButton* Button1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button12;
    QLabel* Label15;
    QPushButton* Button2;
    QLineEdit* Edit2;

    QGroupBox* GroupBox5;
    QLabel* Label8;
    QLineEdit* Edit8;
    QLabel* Label9;
    QLineEdit* Edit9;

    QGroupBox* GroupBox6;
    QLabel* Label17;
    QComboBox* ComboBox1;
    QLabel* Label18;
    QComboBox* ComboBox2;
    QLabel* Label19;
    QComboBox* ComboBox3;
    QLabel* Label21;
    QComboBox* ComboBox4;
    QLabel* Label22;
    QComboBox* ComboBox5;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QLabel* Label20;
    QPushButton* Button10;
    QPushButton* Button11;

    QGroupBox* GroupBox2;
    QLabel* Label14;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QRadioButton* RadioButton6;
    QRadioButton* RadioButton7;
    QLabel* Label16;
    QLabel* Label12;
    StringGrid* StringGrid1;
    QWidget* TabSheet2;
    QLabel* Label5;
    QRadioButton* RadioButton8;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QLabel* Label4;
    QLineEdit* Edit3;
    QLabel* Label7;
    StringGrid* StringGrid2;
    QCheckBox* CheckBox1;
    QGroupBox* GroupBox4;
    QLabel* Label10;
    QLabel* Label11;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    QRadioButton* RadioButton5;

    QGroupBox* GroupBox3;
    QPushButton* Button4;
    QPushButton* Button9;
    QPushButton* Button6;
    QPushButton* Button7;
    QLabel* Label2;
    QLineEdit* Edit10;
    QLabel* Label6;
    QLineEdit* Edit6;
    QLabel* Label3;
};

}  // namespace rivex::ui
