#include "OptionSetupForm.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrune::shell {

namespace {

// Fills the drop-down with the platform's input methods when it opens.
class InputMethodBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override {
        const QString current = currentText();
        clear();
        addItems(AvailableInputMethods());
        setCurrentText(current);
        QComboBox::showPopup();
    }
};

} // namespace

TdlgOptionSetupForm::TdlgOptionSetupForm(OptionsModel& model, QWidget* parent)
    : QDialog(parent), model_(model), inputMethods_(new InputMethodBox(this)),
      classic_(new QRadioButton(QStringLiteral("传统"), this)),
      simple_(new QRadioButton(QStringLiteral("简约"), this)),
      abandonAll_(new QRadioButton(QStringLiteral("有错就全部放弃"), this)),
      abandonFaulty_(new QRadioButton(QStringLiteral("只放弃出错的数据"), this)) {
    setObjectName(QStringLiteral("dlgOptionSetupForm"));
    setWindowTitle(QStringLiteral("软件参数设置"));

    // Two separate choices: the style and the import handling.
    auto* styles = new QButtonGroup(this);
    styles->addButton(classic_);
    styles->addButton(simple_);
    auto* imports = new QButtonGroup(this);
    imports->addButton(abandonAll_);
    imports->addButton(abandonFaulty_);
    inputMethods_->setEditable(true);
    inputMethods_->setCurrentText(model_.preferredInputMethod());
    (model_.inputWndStyle() == 0 ? classic_ : simple_)->setChecked(true);
    (model_.abandonAllOnError() ? abandonAll_ : abandonFaulty_)->setChecked(true);
    connect(classic_, &QRadioButton::clicked, this, [this] { model_.chooseStyle(0); });
    connect(simple_, &QRadioButton::clicked, this, [this] { model_.chooseStyle(1); });

    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("选择使用的输入法:"), inputMethods_);
    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(classic_);
    styleRow->addWidget(simple_);
    form->addRow(QStringLiteral("录入窗口风格:"), styleRow);
    auto* importRow = new QHBoxLayout;
    importRow->addWidget(abandonAll_);
    importRow->addWidget(abandonFaulty_);
    form->addRow(QStringLiteral("导入错误处理方式："), importRow);
    auto* tabs = new QTabWidget(this);
    tabs->addTab(page, QStringLiteral("软件环境"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        model_.accept(inputMethods_->currentText(), abandonAll_->isChecked());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

} // namespace kestrune::shell
