#include "GroupItemForm.h"

#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/UserInteraction.h"
#include "shell/ui/DialogParts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrune::sum {

namespace {

QString plainNumber(double value) {
    return QString::number(value, 'f', 0);
}

} // namespace

TdlgGroupItemForm::TdlgGroupItemForm(db::Connection& connection, shell::UserInteraction& ui,
                                     qint64 groupId, const QString& groupName, QWidget* parent)
    : QDialog(parent), connection_(connection), ui_(ui), groupId_(groupId),
      editor_(connection, groupId), groupName_(new QLineEdit(groupName, this)),
      tbSave_(new QPushButton(QStringLiteral("保  存"), this)),
      grid_(new QTableWidget(0, GroupItemEditor::kColumns, this)), name_(new QLineEdit(this)),
      leftSymbol_(new QComboBox(this)), lowBoundary_(new QLineEdit(this)),
      rightSymbol_(new QComboBox(this)), highBoundary_(new QLineEdit(this)),
      actAddItem_(new QPushButton(QStringLiteral("增  加"), this)),
      tbEdit_(new QPushButton(QStringLiteral("修  改"), this)),
      tbRemove_(new QPushButton(QStringLiteral("除  去"), this)) {
    setObjectName(QStringLiteral("dlgGroupItemForm"));
    setWindowTitle(QStringLiteral("自定义分组"));
    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(QStringLiteral("数据组名："), this));
    header->addWidget(groupName_, 1);
    header->addWidget(tbSave_);
    tbSave_->setEnabled(false);

    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this);

    // Chosen from the pick-lists, never typed.
    leftSymbol_->addItems({LowSymbolText(1), LowSymbolText(2)});
    rightSymbol_->addItems({HighSymbolText(1), HighSymbolText(2)});
    leftSymbol_->setCurrentIndex(1);  // ">="
    rightSymbol_->setCurrentIndex(0); // "<"
    lowBoundary_->setValidator(shell::DigitsValidator(lowBoundary_));
    highBoundary_->setValidator(shell::DigitsValidator(highBoundary_));
    auto* definition = new QGroupBox(QStringLiteral("分组项目定义"), this);
    auto* fields = new QGridLayout(definition);
    fields->addWidget(new QLabel(QStringLiteral("数据项目名称："), this), 0, 0);
    fields->addWidget(name_, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("编号下限："), this), 1, 0);
    fields->addWidget(leftSymbol_, 1, 1);
    fields->addWidget(lowBoundary_, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("编号上限："), this), 2, 0);
    fields->addWidget(rightSymbol_, 2, 1);
    fields->addWidget(highBoundary_, 2, 2);

    auto* returnButton = new QPushButton(QStringLiteral("返  回"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {actAddItem_, tbEdit_, tbRemove_, returnButton})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(grid_, 1);
    layout->addWidget(definition);
    layout->addLayout(buttons);
    resize(520, 480);

    connect(groupName_, &QLineEdit::textChanged, this,
            [this](const QString& text) { tbSave_->setEnabled(!text.isEmpty()); });
    connect(tbSave_, &QPushButton::clicked, this, &TdlgGroupItemForm::tbSaveClick);
    connect(actAddItem_, &QPushButton::clicked, this, &TdlgGroupItemForm::actAddItemExecute);
    connect(tbEdit_, &QPushButton::clicked, this, &TdlgGroupItemForm::tbEditClick);
    connect(tbRemove_, &QPushButton::clicked, this, &TdlgGroupItemForm::tbRemoveClick);
    connect(returnButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TdlgGroupItemForm::titleClick);
    connect(grid_, &QTableWidget::currentCellChanged, this, &TdlgGroupItemForm::loadCurrentItem);
    for (QLineEdit* edit : {name_, lowBoundary_, highBoundary_})
        connect(edit, &QLineEdit::textChanged, this, &TdlgGroupItemForm::editsChanged);

    showRows();
    loadCurrentItem();
    afterChange();
    editsChanged();
}

GroupItemEdits TdlgGroupItemForm::edits() const {
    GroupItemEdits e;
    e.title = name_->text();
    e.lowSymbol = leftSymbol_->currentIndex() + 1;
    e.low = lowBoundary_->text().toDouble();
    e.highSymbol = rightSymbol_->currentIndex() + 1;
    e.high = highBoundary_->text().toDouble();
    return e;
}

void TdlgGroupItemForm::showRows() {
    const QSignalBlocker blocker(grid_);
    const std::vector<GroupItemRow>& rows = editor_.rows();
    grid_->setRowCount(int(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        grid_->setItem(int(r), 0, new QTableWidgetItem(rows[r].title));
        grid_->setItem(int(r), 1, new QTableWidgetItem(rows[r].lowValue));
        grid_->setItem(int(r), 2, new QTableWidgetItem(rows[r].highValue));
    }
    for (int c = 0; c < GroupItemEditor::kColumns; ++c) {
        auto* title = new QTableWidgetItem(editor_.columnTitle(c));
        if (c == editor_.sortedColumn())
            title->setBackground(QColor(0, 255, 0));
        grid_->setHorizontalHeaderItem(c, title);
    }
    if (!rows.empty())
        grid_->setCurrentCell(0, 0);
}

void TdlgGroupItemForm::loadCurrentItem() {
    const int row = grid_->currentRow();
    if (row < 0 || size_t(row) >= editor_.rows().size())
        return;
    const GroupItemEdits& e = editor_.rows()[size_t(row)].edits;
    name_->setText(e.title);
    leftSymbol_->setCurrentIndex(e.lowSymbol - 1);
    lowBoundary_->setText(plainNumber(e.low));
    rightSymbol_->setCurrentIndex(e.highSymbol - 1);
    highBoundary_->setText(plainNumber(e.high));
}

void TdlgGroupItemForm::editsChanged() {
    if (GroupItemEditor::EditsComplete(edits())) {
        actAddItem_->setEnabled(true);
        tbEdit_->setEnabled(!editor_.rows().empty());
        tbRemove_->setEnabled(tbEdit_->isEnabled());
    } else {
        actAddItem_->setEnabled(false);
        tbEdit_->setEnabled(false);
    }
}

void TdlgGroupItemForm::afterChange() {
    const bool any = !editor_.rows().empty();
    tbRemove_->setEnabled(any);
    tbEdit_->setEnabled(any);
}

void TdlgGroupItemForm::tbSaveClick() {
    try {
        RenameGroup(connection_, groupId_, groupName_->text());
        Q_EMIT groupRenamed();
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
}

void TdlgGroupItemForm::actAddItemExecute() {
    try {
        if (editor_.add(edits(), ui_)) {
            showRows();
            grid_->setCurrentCell(int(editor_.rows().size()) - 1, 0);
        }
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    afterChange();
}

void TdlgGroupItemForm::tbEditClick() {
    const int row = grid_->currentRow();
    try {
        if (editor_.change(row, edits(), ui_)) {
            showRows();
            grid_->setCurrentCell(std::max(0, std::min(row, grid_->rowCount() - 1)), 0);
        }
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    afterChange();
}

void TdlgGroupItemForm::tbRemoveClick() {
    try {
        if (editor_.remove(grid_->currentRow(), ui_)) {
            showRows();
            loadCurrentItem();
        }
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    afterChange();
}

void TdlgGroupItemForm::titleClick(int column) {
    try {
        editor_.sortBy(column);
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    showRows();
    loadCurrentItem();
}

bool TdlgGroupItemForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        tbRemoveClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrune::sum
