#include "grid/InPlaceEdit.h"

#include <QTest>

#include <memory>

using namespace tillora;

namespace {

const EditorOptions FreeText{};
const EditorOptions Digits{true, EditorAlignment::Right, 12, false};
const EditorOptions Amount{false, EditorAlignment::Right, 30, true};

} // namespace

Q_DECLARE_METATYPE(tillora::EditorOptions)
Q_DECLARE_METATYPE(tillora::EditStart)

class InPlaceEditTest : public QObject {
    Q_OBJECT

private slots:
    void openingKeys_data() {
        QTest::addColumn<EditStart>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selected");
        QTest::newRow("caret at the end") << EditStart::CaretAtEnd << ""
                                          << "abc" << false;
        QTest::newRow("all selected") << EditStart::SelectAll << ""
                                      << "abc" << true;
        QTest::newRow("typed replaces") << EditStart::Replace << "x"
                                        << "x" << false;
        QTest::newRow("backspace") << EditStart::Backspace << ""
                                   << "ab" << false;
    }
    void openingKeys() {
        QFETCH(EditStart, start);
        QFETCH(QString, typed);
        CInPlaceEdit editor(FreeText, {start, typed, false}, nullptr);
        editor.Start("abc");
        QFETCH(QString, text);
        QFETCH(bool, selected);
        QCOMPARE(editor.text(), text);
        QCOMPARE(editor.hasSelectedText(), selected);
        if (!selected) {
            QCOMPARE(editor.cursorPosition(), text.size());
        }
        QCOMPARE(editor.Original(), QString("abc"));
        editor.Start("other");
        QCOMPARE(editor.text(), text);
    }

    void typedKeysByTheCellsRules_data() {
        QTest::addColumn<EditorOptions>("options");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("digits only") << Digits << "1a2-3 "
                                     << "123";
        QTest::newRow("twelve at most") << Digits << "12345678901234"
                                        << "123456789012";
        QTest::newRow("comma is the point") << Amount << "12,5"
                                            << "12.5";
        QTest::newRow("free text keeps commas") << FreeText << "a,b"
                                                << "a,b";
    }
    void typedKeysByTheCellsRules() {
        QFETCH(EditorOptions, options);
        QFETCH(QString, keys);
        CInPlaceEdit editor(options, {EditStart::SelectAll, {}, false}, nullptr);
        editor.Start("");
        QTest::keyClicks(&editor, keys);
        QFETCH(QString, text);
        QCOMPARE(editor.text(), text);
    }

    // A 13-digit barcode from a file stays whole in the editor; typing still adds nothing to it.
    void aLongerTextThanTypingAllowsIsNotCut() {
        CInPlaceEdit editor(Digits, {EditStart::CaretAtEnd, {}, true}, nullptr);
        editor.Start("5901234123457");
        QCOMPARE(editor.text(), QString("5901234123457"));
        QTest::keyClicks(&editor, "8");
        QCOMPARE(editor.text(), QString("5901234123457"));
    }

    void theKeypadDecimalKeyTypesThePoint() {
        CInPlaceEdit editor(Amount, {EditStart::SelectAll, {}, false}, nullptr);
        editor.Start("");
        QTest::keyClick(&editor, Qt::Key_1);
        QTest::keyClick(&editor, Qt::Key_Comma, Qt::KeypadModifier);
        QTest::keyClick(&editor, Qt::Key_5);
        QCOMPARE(editor.text(), QString("1.5"));
    }

    void aTypedStartFollowsTheRules() {
        CInPlaceEdit editor(Amount, {EditStart::Replace, ",", false}, nullptr);
        editor.Start("3.00");
        QCOMPARE(editor.text(), QString("."));
    }

    void widensWithItsTextUpToTheLimit() {
        QWidget parent;
        parent.resize(300, 100);
        CInPlaceEdit editor(FreeText, {EditStart::SelectAll, {}, false}, &parent);
        editor.setGeometry(10, 10, 40, 20);
        editor.SetRightLimit(300);
        editor.Start("");
        QTest::keyClicks(&editor, "wider");
        QVERIFY(editor.width() > 40);
        QVERIFY(editor.width() >= editor.fontMetrics().horizontalAdvance("wider  "));
        QTest::keyClicks(&editor, QString(200, QLatin1Char('m')));
        QCOMPARE(editor.geometry().right() + 1, 300);
    }
};

QTEST_MAIN(InPlaceEditTest)
#include "InPlaceEditTest.moc"
