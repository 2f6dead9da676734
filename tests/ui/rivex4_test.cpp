#include "ui/Rivex4.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/modal_closer.h"

using rivex::PlaceholderState;
using rivex::testing::ModalCloser;
using rivex::ui::TForm4;

class Rivex4Test : public QObject {
    Q_OBJECT

  private:
    template <typename T>
    static T* Control(TForm4& dialog, const char* name) {
        return dialog.findChild<T*>(name);
    }

    static void Show(TForm4& dialog) {
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

  private slots:
    void showingSetsPromptAndFocus() {
        PlaceholderState p;
        p.PromptWord = "最初の";
        TForm4 first(p);
        Show(first);
        QCOMPARE(Control<QLabel>(first, "Label3")->text(), QString("最初の＠に相当する文字："));
        QCOMPARE(Control<QLineEdit>(first, "Edit3")->text(), QString());
        QCOMPARE(first.focusWidget(), Control<QLineEdit>(first, "Edit1"));
        QCOMPARE(p.PromptWord, std::string("つぎの"));

        p.PlaceholderText = "07";
        TForm4 next(p);
        Show(next);
        QCOMPARE(Control<QLabel>(next, "Label3")->text(), QString("つぎの＠に相当する文字："));
        QCOMPARE(Control<QLineEdit>(next, "Edit3")->text(), QString("07"));
    }

    void enterKeysMoveTheFocus() {
        PlaceholderState p;
        TForm4 dialog(p);
        Show(dialog);
        auto* edit1 = Control<QLineEdit>(dialog, "Edit1");
        auto* edit2 = Control<QLineEdit>(dialog, "Edit2");
        auto* box = Control<QCheckBox>(dialog, "CheckBox1");
        auto* next = Control<QPushButton>(dialog, "Button1");

        QTest::keyClicks(edit1, "ab");
        QTest::keyClick(edit1, Qt::Key_Return);
        QVERIFY(!edit2->isVisible());
        QVERIFY(!Control<QLabel>(dialog, "Label2")->isVisible());
        QCOMPARE(dialog.focusWidget(), box);

        edit1->setText(" 07 ");
        edit1->setFocus();
        QTest::keyClick(edit1, Qt::Key_Return);
        QVERIFY(edit2->isVisible());
        QCOMPARE(dialog.focusWidget(), edit2);
        QTest::keyClicks(edit2, "09");
        QTest::keyClick(edit2, Qt::Key_Return);
        QCOMPARE(dialog.focusWidget(), box);
        QTest::keyClick(box, Qt::Key_A);
        QCOMPARE(dialog.focusWidget(), next);
        QVERIFY(!box->isChecked());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);  // ticks the box, then moves on
        QVERIFY(box->isChecked());
        QCOMPARE(dialog.focusWidget(), next);
        box->setChecked(false);
        QVERIFY(dialog.isVisible());  // no key so far pressed "次　へ"

        QTest::keyClick(next, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(p.SequenceCurrent, std::string("07"));
        QCOMPARE(p.SequenceEnd, std::string("09"));
        QVERIFY(!p.LastSpecification);
    }

    void refusalKeepsTheDialogOpen() {
        PlaceholderState p;
        TForm4 dialog(p);
        Show(dialog);
        Control<QLineEdit>(dialog, "Edit1")->setText("12");
        Control<QLineEdit>(dialog, "Edit2")->setText("1a");
        ModalCloser closer;
        QTest::mouseClick(Control<QPushButton>(dialog, "Button1"), Qt::LeftButton);
        QCOMPARE(closer.texts, QStringList{"** 右側文字が非数字です。"});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), Control<QLineEdit>(dialog, "Edit2"));
    }

    void clickOnTheBoxMovesToNext() {
        PlaceholderState p;
        TForm4 dialog(p);
        Show(dialog);
        auto* box = Control<QCheckBox>(dialog, "CheckBox1");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QCOMPARE(dialog.focusWidget(), Control<QPushButton>(dialog, "Button1"));
        QTest::mouseClick(Control<QPushButton>(dialog, "Button1"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(p.SequenceWidth, 0);
        QVERIFY(p.LastSpecification);
    }

    void escapeClosesWithoutAnswer() {
        PlaceholderState p;
        TForm4 dialog(p);
        Show(dialog);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(Rivex4Test)
#include "rivex4_test.moc"
