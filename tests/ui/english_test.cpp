// The windows in English: every text translated, and every one fits the fixed place it has.
#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include "engine/state.h"
#include "ui/Rivex1.h"
#include "ui/Rivex2.h"
#include "ui/Rivex3.h"
#include "ui/Rivex4.h"
#include "ui/Rivex5.h"
#include "ui/Rivex6.h"
#include "ui/window_language.h"

namespace {

bool HoldsJapanese(const QString& text) {
    return std::ranges::any_of(text, [](QChar c) { return c.unicode() >= 0x3000; });
}

// Texts of a window's buttons, labels and group boxes that are Japanese still, or wider than
// the control that shows them.
QStringList Faults(const QWidget& window) {
    QStringList faults;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        QString text;
        int room = w->width();
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            text = b->text();
            if (qobject_cast<const QPushButton*>(w)) room -= 8;  // its frame
        } else if (const auto* l = qobject_cast<const QLabel*>(w)) {
            text = l->text();
            if (l->wordWrap()) room = INT_MAX;
        } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
            text = g->title();
        } else {
            continue;
        }
        if (HoldsJapanese(text)) faults << w->objectName() + ": " + text;
        const int width = w->fontMetrics().horizontalAdvance(text);
        if (!text.contains('\n') && width > room) {
            faults << QString("%1 cut: %2 px in %3").arg(w->objectName()).arg(width).arg(room);
        }
    }
    return faults;
}

}  // namespace

class EnglishTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { rivex::ui::SetUpWindowLanguage(rivex::Language::English); }

    void everyWindowSpeaksEnglishAndFits() {
        rivex::EngineState state;
        rivex::ui::TForm1 form1(state);
        auto* form5 = new rivex::ui::TForm5(&form1);
        auto* form3 = new rivex::ui::TForm3(&form1);
        form1.SetWindows(form3, form5);
        rivex::ui::TForm2 form2(state, &form1);
        state.placeholder.PromptWord = "最初の";
        rivex::ui::TForm4 form4(state.placeholder, &form1);
        form4.show();
        for (const QWidget* window :
             std::initializer_list<const QWidget*>{&form1, &form2, form3, &form4, form5}) {
            QVERIFY2(Faults(*window).isEmpty(), qPrintable(Faults(*window).join('\n')));
        }
        QCOMPARE(form4.findChild<QLabel*>("Label3")->text(), QString("First text for @:"));
        const QString help = form3->findChild<QPlainTextEdit*>("Memo1")->toPlainText();
        QVERIFY(!help.isEmpty() && !HoldsJapanese(help));
        QTemporaryDir dir;
        QFile source(dir.filePath("in.txt"));
        QVERIFY(source.open(QIODevice::WriteOnly) && source.write("0123\r\n") == 6);
        source.close();
        form1.ChooseSource(source.fileName());
        form1.OpenViewer();
        QVERIFY2(Faults(*form1.Viewer()).isEmpty(), qPrintable(Faults(*form1.Viewer()).join('\n')));
    }
};

QTEST_MAIN(EnglishTest)
#include "english_test.moc"
