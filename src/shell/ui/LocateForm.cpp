#include "LocateForm.h"

#include "DialogParts.h"
#include "schema/EngineError.h"
#include "shell/RecordList.h"
#include "shell/RecordSearch.h"
#include "shell/SurveyDatabase.h"
#include "shell/UserInteraction.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrune::shell {

TdlgLocateForm::TdlgLocateForm(SurveyDatabase& database, RecordList& list, UserInteraction& ui,
                               QWidget* parent)
    : QDialog(parent), database_(database), list_(list), ui_(ui),
      byCode_(new QRadioButton(QStringLiteral("按编号定位（精确匹配）"), this)),
      byName_(new QRadioButton(QStringLiteral("按名称定位（模糊匹配）"), this)),
      code_(new QLineEdit(this)), name_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("dlgLocateForm"));
    setWindowTitle(QStringLiteral("定位数据记录"));
    byCode_->setChecked(true);
    code_->setMaxLength(12);
    code_->setValidator(DigitsValidator(this));
    name_->setValidator(NoQuotesValidator(this));
    connect(code_, &QLineEdit::textEdited, this, [this] { byCode_->setChecked(true); });
    connect(name_, &QLineEdit::textEdited, this, [this] { byName_->setChecked(true); });

    auto* grid = new QGridLayout;
    grid->addWidget(byCode_, 0, 0);
    grid->addWidget(code_, 0, 1);
    grid->addWidget(byName_, 1, 0);
    grid->addWidget(name_, 1, 1);
    QHBoxLayout* buttons =
        RunAndReturnButtons(this, QStringLiteral("定  位"), [this] { locate(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    // The preset choice's box takes the typing at once.
    code_->setFocus();
}

void TdlgLocateForm::locate() {
    LocateResult result = LocateResult::NotFound;
    try {
        result = byCode_->isChecked() ? LocateByCode(list_, code_->text())
                                      : LocateByName(list_, database_.connection(), name_->text());
    } catch (const db::EngineError& e) {
        ui_.showMessage(e.text(), MessageKind::Error);
        return;
    }
    if (result == LocateResult::Found) {
        accept();
        return;
    }
    ui_.showMessage(LocateMessage(result), MessageKind::Warning);
    if (result == LocateResult::WrongLength)
        byCode_->setFocus();
}

} // namespace kestrune::shell
