#include "MessageListWinForm.h"

#include "shell/WindowPlacement.h"
#include "shell/ui/DialogParts.h"

#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kestrune::check {

TMessageListWinForm::TMessageListWinForm(LogicErrorList& list, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint), list_(list),
      grid_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("MessageListWinForm"));
    setWindowTitle(QStringLiteral("逻辑错误列表"));
    resize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 204));
    setPalette(yellow);
    // Shown beside the entry dialog without taking the focus from its box.
    setAttribute(Qt::WA_ShowWithoutActivating);
    grid_->setColumnCount(4);
    grid_->setHorizontalHeaderLabels({QStringLiteral("逻辑关系"), QStringLiteral("说明"),
                                      QStringLiteral("页号"), QStringLiteral("变量")});
    for (const auto& [column, width] : {std::pair{0, 340}, {1, 321}, {2, 73}, {3, 70}})
        grid_->setColumnWidth(column, width);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(true);
    grid_->verticalHeader()->setDefaultSectionSize(18);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { goToRow(row); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
}

void TMessageListWinForm::refresh() {
    const auto& messages = list_.messages();
    grid_->setRowCount(int(messages.size()));
    for (int row = 0; row < int(messages.size()); ++row) {
        const LogicMessage& m = messages[size_t(row)];
        const QStringList cells = {m.rule, m.explanation, QString::number(m.page), m.focus};
        for (int column = 0; column < cells.size(); ++column)
            grid_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    // Rows are 18 pixels high unless their texts need more, with 8 to spare.
    grid_->resizeRowsToContents();
    for (int row = 0; row < grid_->rowCount(); ++row)
        grid_->setRowHeight(row, std::max(18, grid_->rowHeight(row) + 8));
    if (list_.isEmpty()) {
        hide();
    } else {
        placeOrKeep();
        show();
    }
}

void TMessageListWinForm::placeOrKeep() {
    const QRect area = screen() ? screen()->availableGeometry() : QRect();
    QRect frame;
    if (placedAt_ && pos() != *placedAt_) {
        // The person moved it: it stays there, but on the screen.
        frame = geometry().marginsAdded(shell::WindowFrameWidths(this));
        frame.moveTopLeft(pos());
        if (area.isValid())
            frame = shell::KeptInside(area, frame);
    } else if (placement_) {
        frame = placement_(QSize(kWidth, kHeight));
    } else {
        frame = QRect(QPoint(150, 500), QSize(kWidth, kHeight));
    }
    const QMargins margins = shell::WindowFrameWidths(this);
    resize(frame.size().shrunkBy(margins));
    move(frame.topLeft()); // a window's position is its frame's
    placedAt_ = pos();
}

void TMessageListWinForm::goToRow(int row) {
    // A second double-click while the first is handled is ignored.
    if (going_ || row < 0 || row >= int(list_.messages().size()))
        return;
    going_ = true;
    // A copy: going to the page checks it again, which refills the list.
    const LogicMessage m = list_.messages()[size_t(row)];
    if (goTo_)
        goTo_(m.page, m.focus);
    grid_->selectRow(0);
    going_ = false;
}

} // namespace kestrune::check
