#pragma once

#include "check/PageRules.h"

#include <QDialog>
#include <functional>

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
    // Shows the list's messages: the window when there are some, else hidden.
    void refresh();
    QTableWidget* grid() const { return grid_; }
    void goToRow(int row);

private:
    LogicErrorList& list_;
    QTableWidget* grid_;
    std::function<void(int, const QString&)> goTo_;
    bool going_ = false;
};

} // namespace kestrune::check
