#pragma once

#include "ModalSteps.h"

#include "grid/QtText.h"
#include "ui/FindDialog.h"
#include "ui/GoToRowDialog.h"
#include "ui/KassivoView.h"
#include "ui/MainFrame.h"
#include "ui/TableGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tillora::test {

// One thing a person does to the window: what it is, for the log, and doing it.
struct InputEvent {
    std::string text;
    std::function<void()> act;
    bool answersItsWindows = false; // the find and go-to events answer their own dialogs
};

// Draws what a person at the keyboard and the mouse might do next to the main window, from one
// seed, so that a run can be repeated event for event. Modal windows that an event opens are
// answered by the event itself, the way it drew them.
class RandomInput {
public:
    RandomInput(CMainFrame& frame, std::uint32_t seed) : m_frame(frame), m_random(seed) {}

    InputEvent Next() {
        const int kind = Number(0, 99);
        if (kind < 34) {
            return Key();
        }
        if (kind < 58) {
            return Typed();
        }
        if (kind < 70) {
            return CellMouse();
        }
        if (kind < 77) {
            return HeaderMouse();
        }
        if (kind < 86) {
            return Paste();
        }
        if (kind < 91) {
            return TabSwitch();
        }
        if (kind < 95) {
            return Find();
        }
        if (kind < 97) {
            return Search();
        }
        return GoTo();
    }

private:
    using Mods = Qt::KeyboardModifiers;

    int Number(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    bool Chance(int percent) { return Number(0, 99) < percent; }
    template <typename T> const T& OneOf(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Number(0, static_cast<int>(items.size()) - 1))];
    }

    CTableGrid& Grid() const { return m_frame.View().CurrentGrid(); }

    // Where the keys go: the widget that has the keyboard focus, as on a real screen.
    static QWidget* KeyTarget(QWidget* fallback) {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus : fallback;
    }

    static std::string Named(const QString& what) { return what.toStdString(); }

    void Press(Qt::Key key, Mods mods, const QString& text = {}) const {
        QWidget* target = KeyTarget(&m_frame);
        if (text.isEmpty()) {
            QTest::keyClick(target, key, mods);
        } else {
            QTest::sendKeyEvent(QTest::Click, target, key, text, mods);
        }
    }

    InputEvent KeyEvent(Qt::Key key, Mods mods, const QString& name) {
        return {"key " + Named(name), [this, key, mods] { Press(key, mods); }};
    }

    InputEvent Key() {
        struct Choice {
            Qt::Key key;
            const char* name;
            bool shiftable;
        };
        static const std::vector<Choice> keys = {
            {Qt::Key_Return, "Enter", false},
            {Qt::Key_Tab, "Tab", false},
            {Qt::Key_Backtab, "Shift+Tab", false},
            {Qt::Key_Left, "Left", true},
            {Qt::Key_Right, "Right", true},
            {Qt::Key_Up, "Up", true},
            {Qt::Key_Down, "Down", true},
            {Qt::Key_PageUp, "PageUp", true},
            {Qt::Key_PageDown, "PageDown", true},
            {Qt::Key_Home, "Home", true},
            {Qt::Key_End, "End", true},
            {Qt::Key_F2, "F2", false},
            {Qt::Key_Escape, "Escape", false},
            {Qt::Key_Delete, "Delete", false},
            {Qt::Key_Backspace, "Backspace", false},
        };
        static const std::vector<std::pair<char, const char*>> commands = {
            {'C', "Ctrl+C"}, {'X', "Ctrl+X"}, {'V', "Ctrl+V"},
            {'A', "Ctrl+A"}, {'Z', "Ctrl+Z"}, {'Y', "Ctrl+Y"},
        };
        if (Chance(25)) {
            const auto& [letter, name] = OneOf(commands);
            return KeyEvent(static_cast<Qt::Key>(letter), Qt::ControlModifier, name);
        }
        const Choice& choice = OneOf(keys);
        Mods mods = Qt::NoModifier;
        QString name = QString::fromLatin1(choice.name);
        if (choice.shiftable && Chance(20)) {
            mods |= Qt::ShiftModifier;
            name.prepend(QStringLiteral("Shift+"));
        }
        if (choice.shiftable && Chance(15)) {
            mods |= Qt::ControlModifier;
            name.prepend(QStringLiteral("Ctrl+"));
        }
        if (choice.key == Qt::Key_Backtab) {
            mods |= Qt::ShiftModifier;
        }
        return KeyEvent(choice.key, mods, name);
    }

    // A character as the keyboard gives it: Latin, Cyrillic, a digit, a sign, or one that
    // Windows-1251 cannot hold.
    QChar RandomCharacter() {
        static const QString signs = QStringLiteral(" .,-+*/%?\"'");
        static const QString foreign = QStringLiteral("中ßŁ€ѣ№");
        switch (Number(0, 5)) {
        case 0:
            return QChar(Number('a', 'z'));
        case 1:
            return QChar(Number('A', 'Z'));
        case 2:
            return QChar(Number(0x0410, 0x044F)); // А to я
        case 3:
            return QChar(Number('0', '9'));
        case 4:
            return signs.at(Number(0, static_cast<int>(signs.size()) - 1));
        default:
            return foreign.at(Number(0, static_cast<int>(foreign.size()) - 1));
        }
    }

    InputEvent Typed() {
        const QChar character = RandomCharacter();
        const QChar upper = character.toUpper();
        const auto key = static_cast<Qt::Key>(upper.unicode());
        // Capitals come with Shift, as from a keyboard.
        const Mods mods = character.isUpper() ? Mods(Qt::ShiftModifier) : Mods(Qt::NoModifier);
        return {"type " + Named(QString(character)),
                [this, key, mods, character] { Press(key, mods, QString(character)); }};
    }

    Mods RandomClickModifiers(QString& name) {
        Mods mods = Qt::NoModifier;
        if (Chance(20)) {
            mods |= Qt::ShiftModifier;
            name += QStringLiteral(" Shift");
        }
        if (Chance(15)) {
            mods |= Qt::ControlModifier;
            name += QStringLiteral(" Ctrl");
        }
        return mods;
    }

    // A point of the widget, now and then a little outside it (a drag that leaves the cells).
    QPoint PointIn(const QWidget& widget, bool mayLeave) {
        const int margin = mayLeave && Chance(20) ? 40 : 0;
        return {Number(-margin, widget.width() - 1 + margin),
                Number(-margin, widget.height() - 1 + margin)};
    }

    static std::string At(QPoint point) {
        return "(" + std::to_string(point.x()) + "," + std::to_string(point.y()) + ")";
    }

    // A click, a double click or a drag on the widget.
    InputEvent MouseOn(QWidget* widget, QPoint from, QPoint to, const std::string& where) {
        QString name;
        const Mods mods = RandomClickModifiers(name);
        const int gesture = Number(0, 3);
        if (gesture == 3) {
            // The context menu that the right button opens is looked at and closed.
            return {"right click " + where + At(from) + Named(name), [widget, from, mods] {
                        QTimer::singleShot(0, [] {
                            if (QWidget* menu = QApplication::activePopupWidget()) {
                                menu->close();
                            }
                        });
                        QTest::mouseClick(widget, Qt::RightButton, mods, from);
                        // The window system follows the release with the menu request.
                        QContextMenuEvent request(QContextMenuEvent::Mouse, from,
                                                  widget->mapToGlobal(from), mods);
                        QApplication::sendEvent(widget, &request);
                    }};
        }
        if (gesture == 0) {
            return {"click " + where + At(from) + Named(name), [widget, from, mods] {
                        QTest::mouseClick(widget, Qt::LeftButton, mods, from);
                    }};
        }
        if (gesture == 1) {
            return {"double click " + where + At(from) + Named(name), [widget, from, mods] {
                        QTest::mousePress(widget, Qt::LeftButton, mods, from);
                        QTest::mouseRelease(widget, Qt::LeftButton, mods, from);
                        QTest::mouseDClick(widget, Qt::LeftButton, mods, from);
                        QTest::mouseRelease(widget, Qt::LeftButton, mods, from);
                    }};
        }
        return {"drag " + where + At(from) + "-" + At(to) + Named(name), [widget, from, to, mods] {
                    QTest::mousePress(widget, Qt::LeftButton, mods, from);
                    QTest::mouseMove(widget, (from + to) / 2);
                    QTest::mouseMove(widget, to);
                    QTest::mouseRelease(widget, Qt::LeftButton, mods, to);
                }};
    }

    InputEvent CellMouse() {
        QWidget* viewport = Grid().viewport();
        if (Chance(15)) {
            const QPoint at = PointIn(*viewport, false);
            const int turn = Number(-3, 3) * 120;
            return {"wheel " + std::to_string(turn) + " at " + At(at), [viewport, at, turn] {
                        QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, {0, turn},
                                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                        QApplication::sendEvent(viewport, &wheel);
                    }};
        }
        return MouseOn(viewport, PointIn(*viewport, false), PointIn(*viewport, true), "cells");
    }

    // Headers select whole columns and rows; at a column's border a drag resizes it and a double
    // click fits it.
    InputEvent HeaderMouse() {
        const bool columns = Chance(60);
        QHeaderView* header = columns ? Grid().horizontalHeader() : Grid().verticalHeader();
        QWidget* viewport = header->viewport();
        QPoint from = PointIn(*viewport, false);
        if (columns && Chance(40)) {
            const int section = header->logicalIndexAt(from);
            if (section >= 0) {
                from.setX(header->sectionViewportPosition(section) + header->sectionSize(section) -
                          1 + Number(-2, 2));
            }
        }
        return MouseOn(viewport, from, PointIn(*viewport, true),
                       columns ? "column header" : "row header");
    }

    // Clipboard text built from the pieces that make pasting hard.
    QString RandomClipboardText() {
        static const std::vector<QString> pieces = {
            QStringLiteral("\t"),
            QStringLiteral(","),
            QStringLiteral("\r\n"),
            QStringLiteral("\n"),
            QStringLiteral(" "),
            QStringLiteral("12,50"),
            QStringLiteral("Хляб бял"),
            QStringLiteral("MILK"),
            QStringLiteral("0.001"),
            QStringLiteral("-3"),
            QStringLiteral("1e9"),
            QStringLiteral("99999999.999"),
            QStringLiteral("А"),
            QStringLiteral("B"),
            QStringLiteral("1"),
            QStringLiteral("中文"),
            QStringLiteral("😀"),
            QStringLiteral("\""),
            QStringLiteral("5901234123457"),
        };
        QString text;
        const int count = Chance(5) ? 0 : Number(1, 12);
        for (int i = 0; i < count; ++i) {
            text += Chance(4) ? QString(Number(40, 400), RandomCharacter()) : OneOf(pieces);
        }
        return text;
    }

    InputEvent Paste() {
        const QString text = RandomClipboardText();
        const bool shiftInsert = Chance(20);
        QString shown = text.size() > 60 ? text.left(57) + QStringLiteral("...") : text;
        shown.replace(QLatin1Char('\t'), QStringLiteral("\\t"))
            .replace(QLatin1Char('\r'), QStringLiteral("\\r"))
            .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        return {"paste \"" + Named(shown) + "\"", [this, text, shiftInsert] {
                    QApplication::clipboard()->setText(text);
                    if (shiftInsert) {
                        Press(Qt::Key_Insert, Qt::ShiftModifier);
                    } else {
                        Press(Qt::Key_V, Qt::ControlModifier);
                    }
                }};
    }

    InputEvent TabSwitch() {
        if (Chance(50)) {
            const bool back = Chance(50);
            return KeyEvent(Qt::Key_F6, back ? Qt::ShiftModifier : Qt::NoModifier,
                            back ? QStringLiteral("Shift+F6") : QStringLiteral("F6"));
        }
        const int tab = Number(0, 5);
        return {"click tab " + std::to_string(tab), [this, tab] {
                    QTabBar* bar = m_frame.View().Tabs()->tabBar();
                    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
                }};
    }

    // Text to look for: often a piece of a cell of the current table, so that searches also hit.
    QString SearchText() {
        if (Chance(10)) {
            return {};
        }
        const CCellGrid& cells = Grid().Cells();
        const QString cell = FromCp1251(cells.GetItemText(Number(1, cells.GetRowCount() - 1),
                                                          Number(1, cells.GetColumnCount() - 1)));
        if (!cell.isEmpty() && Chance(70)) {
            const int start = Number(0, static_cast<int>(cell.size()) - 1);
            QString piece = cell.mid(start, Number(1, 6));
            return Chance(30) ? piece.toUpper() : piece;
        }
        QString text;
        for (int i = Number(1, 4); i > 0; --i) {
            text += RandomCharacter();
        }
        return text;
    }

    // Ctrl+F, answered with the text and options drawn here; the message that may follow is read
    // and closed.
    InputEvent Find() {
        const QString text = SearchText();
        const bool matchCase = Chance(30);
        const bool selectedOnly = Chance(30);
        const bool cancel = Chance(10);
        return {"find \"" + Named(text) + "\"" + (matchCase ? " case" : "") +
                    (selectedOnly ? " selected" : "") + (cancel ? " cancelled" : ""),
                [this, text, matchCase, selectedOnly, cancel] {
                    std::vector<BoxSeen> seen;
                    ModalSteps steps;
                    steps
                        .Then<CFindDialog>([=](CFindDialog* dialog) {
                            TypeText(dialog->TextEdit(), text);
                            dialog->MatchCaseBox()->setChecked(matchCase);
                            dialog->SelectedOnlyBox()->setChecked(selectedOnly);
                            if (cancel) {
                                dialog->CancelButton()->click();
                            } else {
                                QTest::keyClick(dialog->TextEdit(), Qt::Key_Return);
                            }
                        })
                        .Then<QMessageBox>(ReadAndClose(seen));
                    Press(Qt::Key_F, Qt::ControlModifier);
                },
                true};
    }

    // F3 and Alt+F3 repeat the last search; the end or the start is told in a box.
    InputEvent Search() {
        const bool back = Chance(50);
        return {back ? "key Alt+F3" : "key F3",
                [this, back] {
                    std::vector<BoxSeen> seen;
                    ModalSteps steps;
                    steps.Then<QMessageBox>(ReadAndClose(seen));
                    Press(Qt::Key_F3, back ? Qt::AltModifier : Qt::NoModifier);
                },
                true};
    }

    // Ctrl+G with a number the table has, or one it refuses (then the message is closed and
    // the dialog cancelled).
    InputEvent GoTo() {
        const int rows = Grid().Cells().GetRowCount() - 1;
        const std::vector<QString> refused = {{},
                                              QStringLiteral("0"),
                                              QString::number(rows + 1),
                                              QStringLiteral("12a"),
                                              QStringLiteral("-1"),
                                              QStringLiteral("Б"),
                                              QStringLiteral(" 3")};
        const QString text = Chance(60) ? QString::number(Number(1, rows)) : OneOf(refused);
        return {"go to \"" + Named(text) + "\"",
                [this, text] {
                    std::vector<BoxSeen> seen;
                    ModalSteps steps;
                    steps
                        .Then<CGoToRowDialog>([text](CGoToRowDialog* dialog) {
                            TypeText(dialog->NumberEdit(), text);
                            dialog->OkButton()->click();
                        })
                        .Then<QMessageBox>(ReadAndClose(seen))
                        .Then<CGoToRowDialog>(
                            [](CGoToRowDialog* dialog) { dialog->CancelButton()->click(); });
                    Press(Qt::Key_G, Qt::ControlModifier);
                },
                true};
    }

    CMainFrame& m_frame;
    std::mt19937 m_random;
};

} // namespace tillora::test
