#include "CityNameForm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrune::entry {

namespace {

bool IsArrowKeyReleased(const QEvent* event) {
    if (event->type() != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    // A held key repeats as release and press pairs; only its real release counts.
    if (key->isAutoRepeat())
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

} // namespace

TCityNameForm::TCityNameForm(db::Connection& connection, QWidget* parent)
    : QDialog(parent), choice_(connection), provinces_(makeList(QStringLiteral("省级地区"))),
      cities_(makeList(QStringLiteral("地市及直辖市所属区县"))),
      counties_(makeList(QStringLiteral("县、市辖区、县级市、旗"))),
      confirm_(new QPushButton(QStringLiteral("确认选择"), this)),
      cancel_(new QPushButton(QStringLiteral("取消选择"), this)) {
    setObjectName(QStringLiteral("CityNameForm"));
    setWindowTitle(QStringLiteral("中华人民共和国行政区划"));
    resize(760, 480);

    connect(provinces_, &QTableWidget::cellClicked, this, [this](int row) { chooseProvince(row); });
    connect(cities_, &QTableWidget::cellClicked, this, [this](int row) { chooseCity(row); });
    connect(provinces_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!filling_)
            choice_.moveProvince(row);
    });
    connect(cities_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!filling_)
            choice_.moveCity(row);
    });
    connect(counties_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!filling_)
            choice_.moveCounty(row);
    });
    provinces_->installEventFilter(this);
    cities_->installEventFilter(this);
    counties_->viewport()->installEventFilter(this);
    connect(confirm_, &QPushButton::clicked, this, [this] { confirmChoice(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelChoice(); });

    auto* lists = new QHBoxLayout;
    lists->addWidget(provinces_);
    lists->addWidget(cities_);
    lists->addWidget(counties_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(
        new QLabel(QStringLiteral("说明：基于国家统计局公布的《2020年统计用区划代码》编排"), this));
    layout->addLayout(buttons);

    showProvinces();
}

void TCityNameForm::showEvent(QShowEvent* event) {
    choice_.showCode();
    showProvinces();
    showCities();
    showCounties();
    QDialog::showEvent(event);
}

bool TCityNameForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == provinces_ && IsArrowKeyReleased(event))
        chooseProvince(provinces_->currentRow());
    else if (watched == cities_ && IsArrowKeyReleased(event))
        chooseCity(cities_->currentRow());
    else if (watched == counties_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // Anywhere in the list, as the county list's current row is the choice.
        confirmCounty();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QTableWidget* TCityNameForm::makeList(const QString& heading) {
    auto* list = new QTableWidget(0, 1, this);
    list->setHorizontalHeaderLabels({heading});
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->hide();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

void TCityNameForm::fillList(QTableWidget* list, const RegionRows& rows, int currentRow) {
    filling_ = true;
    list->clearContents();
    list->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row)
        list->setItem(row, 0, new QTableWidgetItem(rows[row].name));
    list->setCurrentCell(currentRow, 0);
    if (currentRow >= 0)
        list->scrollToItem(list->item(currentRow, 0));
    filling_ = false;
}

void TCityNameForm::showProvinces() {
    fillList(provinces_, choice_.provinces(), choice_.provinceRow());
}

void TCityNameForm::showCities() {
    fillList(cities_, choice_.cities(), choice_.cityRow());
}

void TCityNameForm::showCounties() {
    fillList(counties_, choice_.counties(), choice_.countyRow());
}

void TCityNameForm::chooseProvince(int row) {
    choice_.chooseProvince(row);
    showCities();
    showCounties();
}

void TCityNameForm::chooseCity(int row) {
    choice_.chooseCity(row);
    showCounties();
}

void TCityNameForm::confirmChoice() {
    choice_.confirm();
    choice_.closeLists();
    accept();
}

void TCityNameForm::confirmCounty() {
    choice_.confirmCounty();
    choice_.closeLists();
    accept();
}

void TCityNameForm::cancelChoice() {
    choice_.closeLists();
    reject();
}

} // namespace kestrune::entry
