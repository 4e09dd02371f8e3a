#pragma once

#include "check/PageRules.h"

#include <QDialog>
#include <functional>
#include <optional>

class QTableWidget;

namespace kestrune::check {

// "逻辑错误列表": the page rules a record breaks, on top of the entry dialog;
// a double click leads to the rule's page and box.
class TMessageListWinForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageListWinForm(LogicErrorList& list, QWidget* parent = nullptr);

    // Called with the page and the box of a double-clicked row.
    void setGoTo(std::function<void(int page, const QString& field)> goTo) {
        goTo_ = std::move(goTo);
    }
    // Where the window goes when it is first shown: a frame rectangle on the
    // screen for the wanted frame size (the entry dialog knows what to keep clear).
    void setPlacement(std::function<QRect(const QSize& wanted)> placement) {
        placement_ = std::move(placement);
    }
    // Shows the list's messages: the window when there are some, else hidden.
    // It stays where the person moved it, kept on the screen.
    void refresh();
    QTableWidget* grid() const { return grid_; }
    void goToRow(int row);

    static constexpr int kWidth = 900;
    static constexpr int kHeight = 258;

private:
    void placeOrKeep();

    LogicErrorList& list_;
    std::function<QRect(const QSize&)> placement_;
    std::optional<QPoint> placedAt_; // where the window was last put, frame corner
    QTableWidget* grid_;
    std::function<void(int, const QString&)> goTo_;
    bool going_ = false;
};

} // namespace kestrune::check
