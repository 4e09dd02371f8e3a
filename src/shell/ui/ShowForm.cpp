#include "ShowForm.h"

#include "schema/EngineError.h"
#include "shell/ColumnChoice.h"
#include "shell/FailureReason.h"
#include "shell/SurveyDatabase.h"
#include "shell/UserInteraction.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrune::shell {

TdlgShowForm::TdlgShowForm(SurveyDatabase& database, UserInteraction& ui,
                           std::function<void()> rebuildList, QWidget* parent)
    : QDialog(parent), database_(database), ui_(ui), rebuildList_(std::move(rebuildList)),
      tabs_(new QTabWidget(this)), ok_(new QPushButton(QStringLiteral("确  定"), this)) {
    setObjectName(QStringLiteral("dlgShowForm"));
    setWindowTitle(QStringLiteral("自定义列表项"));
    resize(920, 560);
    const ColumnChoicePages pages = ReadColumnChoices(database_.connection());
    std::vector<QWidget*> sheets;
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    for (const QString& tab : pages.tabs) {
        auto* sheet = new QWidget;
        sheet->setAutoFillBackground(true);
        QPalette white = sheet->palette();
        white.setColor(QPalette::Window, Qt::white);
        sheet->setPalette(white);
        auto* scroll = new QScrollArea(tabs_);
        scroll->setWidget(sheet);
        scroll->setWidgetResizable(false);
        tabs_->addTab(scroll, tab);
        sheets.push_back(sheet);
    }
    std::vector<int> bottom(sheets.size(), 0);
    for (const ColumnChoiceBox& box : pages.boxes) {
        auto* check = new QCheckBox(box.caption, sheets[size_t(box.page)]);
        check->setGeometry(box.geometry);
        check->setFont(font);
        check->setChecked(box.checked);
        check->setProperty("id", box.id);
        boxes_ << check;
        bottom[size_t(box.page)] = std::max(bottom[size_t(box.page)], box.geometry.bottom());
    }
    for (size_t i = 0; i < sheets.size(); ++i)
        sheets[i]->resize(4 + 2 * 438 + 4, bottom[i] + 10);

    auto* close = new QPushButton(QStringLiteral("关  闭"), this);
    connect(ok_, &QPushButton::clicked, this, &TdlgShowForm::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
}

void TdlgShowForm::save() {
    std::vector<int> checked;
    for (QCheckBox* box : boxes_) {
        if (box->isChecked())
            checked.push_back(box->property("id").toInt());
    }
    try {
        SaveColumnChoices(database_.connection(), checked);
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
        return;
    }
    if (rebuildList_)
        rebuildList_();
    ui_.showMessage(kSaved);
    ok_->setEnabled(false);
}

} // namespace kestrune::shell
