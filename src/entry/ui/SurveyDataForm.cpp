#include "SurveyDataForm.h"

#include "CityNameForm.h"
#include "NumberEdit.h"
#include "check/ui/MessageListWinForm.h"
#include "entry/CoverExits.h"
#include "entry/CoverRules.h"
#include "entry/CoverValidation.h"
#include "entry/EntryLayout.h"
#include "entry/FieldValues.h"
#include "entry/RegionChoice.h"
#include "entry/RtfNotes.h"
#include "shell/SurveyTerms.h"
#include "shell/UserInteraction.h"
#include "shell/ui/DialogParts.h"
#include "shell/ui/ToolForm.h"

#include <QAction>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace kestrune::entry {

namespace {

constexpr int kColumns = 6;
constexpr int kBoxWidth = 120;
// Between the boxes of a row; six columns of boxes that show the largest
// allowed value whole still fit a 1366 pixels wide screen.
constexpr int kColumnGap = 16;

QLabel* smallLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    QFont font = label->font();
    font.setPointSize(8);
    label->setFont(font);
    return label;
}

const QStringList kCoverOrder = {
    shell::kUnitCodeField,       shell::kUnitNameField, shell::kRegionField, shell::kLevelField,
    shell::kReportingStateField, shell::kFillerField,   shell::kPhoneField};

} // namespace

TdlgSurveyDataForm::TdlgSurveyDataForm(RecordEditor& editor, db::Connection& connection,
                                       shell::UserInteraction& ui, shell::TToolForm& codeMenu,
                                       QWidget* parent)
    : QDialog(parent), editor_(editor), form_(editor.form()), connection_(connection), ui_(ui),
      codeMenu_(codeMenu), catalogue_(form_.catalogue()), pages_(new QTabWidget(this)),
      notes_(new QTextBrowser(this)) {
    editor_.attach(*this);
    setObjectName(QStringLiteral("dlgSurveyDataForm"));
    setWindowTitle(QStringLiteral("基层以上单位数据"));
    // The form's size where the screen has room; on a smaller screen (1366 by
    // 768 less a task bar) the dialog is lower and its pages scroll.
    setMaximumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    move(10, 2);
    for (const shell::TFieldData& f : catalogue_) {
        hints_.insert(f.FieldName, f.Hint);
        if (f.QueryType == shell::QueryType::Decimal)
            decimalFields_.insert(f.FieldName);
    }

    pages_->setObjectName(QStringLiteral("DataPage"));
    pages_->setTabPosition(QTabWidget::South);
    pages_->setUsesScrollButtons(false);
    for (const EntryPage& page : EntryPages()) {
        QWidget* content = page.index == 0 ? buildCover() : buildSurveyPage(page.index);
        pageContainers_ << content;
        auto* scroll = new QScrollArea(pages_);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        // Qt reads "&&" as one shown "&", as the captions are written.
        pages_->addTab(scroll, page.tabCaption);
    }
    applyCatalogueLimits();
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        LoadNotes(PageNotesName(page));
        FocusFirstField();
    });
    // Every change of page a person starts goes through the page guard.
    pages_->tabBar()->setFocusPolicy(Qt::NoFocus);
    pages_->tabBar()->installEventFilter(this);
    pages_->installEventFilter(this);

    notes_->setObjectName(QStringLiteral("rtfNotes"));
    notes_->setReadOnly(true);
    notes_->setFocusPolicy(Qt::NoFocus);
    notes_->setFixedHeight(88);
    QPalette pale = notes_->palette();
    pale.setColor(QPalette::Base, QColor(255, 255, 225));
    notes_->setPalette(pale);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(pages_, 1);
    layout->addWidget(notes_);
    buildButtons();
    auto* save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    // The key does what "临时保存" does, and only while the button may be pressed.
    connect(save, &QShortcut::activated, this, [this] {
        if (form_.holdEnabled())
            Q_EMIT temporarySaveRequested();
    });
    connect(this, &TdlgSurveyDataForm::temporarySaveRequested, this,
            [this] { editor_.tbHoldClick(); });
    connect(this, &TdlgSurveyDataForm::formalSaveRequested, this,
            [this] { editor_.tbSaveClick(SaveStart::Person); });

    messageList_ = new check::TMessageListWinForm(editor_.logicErrors(), this);
    messageList_->setGoTo([this](int page, const QString& field) { goToLogicError(page, field); });
    messageList_->setPlacement([this](const QSize& wanted) { return errorListPlace(wanted); });
}

QWidget* TdlgSurveyDataForm::buildCover() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* title = new QLabel(QStringLiteral("基层以上工会组织统计调查表"), page);
    QFont big = title->font();
    big.setPointSize(18);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* notice = new QLabel(
        QStringLiteral("本调查表所填报的数据受《中华人民共和国统计法》保护，仅用于工会统计工作。"
                       "请各单位按照统计制度如实、准确、及时填报。"),
        page);
    notice->setWordWrap(true);
    auto* approval = new QLabel(QStringLiteral("表    号：基层以上表\n制定机关：中华全国总工会\n"
                                               "批准机关：国家统计局\n有效期至：2022年12月"),
                                page);
    auto* head = new QHBoxLayout;
    head->addWidget(notice, 1);
    head->addWidget(approval);
    layout->addLayout(head);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    struct CoverBox {
        const char* name;
        const char* caption;
        const char* hint;
        const char* nameBox; // the read-only box with the code's name, or none
        const char* nameHint;
    };
    const CoverBox rows[] = {
        {"c901", "901. 本级工会统计编码：", "", nullptr, ""},
        {"c902", "902. 本级工会名称：", "", nullptr, ""},
        {"c903", "903. 本级工会所在地行政区划代码：", "输入本级工会行政区划代码", "CityNameCtrl",
         "选择本级工会所在地行政区划"},
        {"c904", "904. 本级工会层次代码：", "输入本级工会层次代码", "LevelName", "本级工会层次"},
        {"c907", "907. 基层以上工会本年度的填报状态：", "", "StateName", ""},
        {"c905", "填 表 人：", "", nullptr, ""},
        {"c906", "联系电话：", "", nullptr, ""},
    };
    int r = 0;
    for (const CoverBox& row : rows) {
        const QString name = QString::fromLatin1(row.name);
        grid->addWidget(new QLabel(QString::fromUtf8(row.caption), page), r, 0, Qt::AlignRight);
        QLineEdit* edit = nullptr;
        if (name == shell::kUnitNameField || name == shell::kFillerField ||
            name == shell::kPhoneField) {
            edit = new QLineEdit(page);
            edit->setMaxLength(name == shell::kUnitNameField ? 60 : 50);
            edit->setValidator(shell::NoQuotesValidator(edit));
        } else {
            auto* number = new TNumberEdit(page);
            const bool code = name == shell::kUnitCodeField;
            // c901 may be left empty, which reads as 0; the region code
            // shows its 0 (a new record's region before one is chosen).
            number->setLimits({0.0, code ? 99999999999999.0 : 999999.0, code ? 12 : 6});
            number->setPlain(true, name != shell::kRegionField);
            edit = number;
        }
        edit->setObjectName(name);
        edit->setToolTip(QString::fromUtf8(row.hint));
        edit->setFixedWidth(name == shell::kUnitNameField ? 360 : 160);
        grid->addWidget(edit, r, 1, Qt::AlignLeft);
        bindBox(edit);
        if (row.nameBox) {
            auto* nameBox = new QLineEdit(page);
            nameBox->setObjectName(QString::fromLatin1(row.nameBox));
            nameBox->setToolTip(QString::fromUtf8(row.nameHint));
            nameBox->setReadOnly(true);
            nameBox->setFocusPolicy(Qt::NoFocus);
            nameBox->setFixedWidth(300);
            QAction* drop = nameBox->addAction(style()->standardIcon(QStyle::SP_ArrowDown),
                                               QLineEdit::TrailingPosition);
            const QString boxName = nameBox->objectName();
            connect(drop, &QAction::triggered, this, [this, boxName] { chooseCode(boxName); });
            grid->addWidget(nameBox, r, 2, Qt::AlignLeft);
            boxes_.insert(nameBox->objectName(), nameBox);
        }
        ++r;
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addStretch();
    QWidget* previous = nullptr;
    for (const QString& name : kCoverOrder) {
        if (previous)
            setTabOrder(previous, boxes_.value(name));
        previous = boxes_.value(name);
    }
    return page;
}

QWidget* TdlgSurveyDataForm::buildSurveyPage(int index) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(4);
    const EntryPage& spec = EntryPages()[size_t(index)];
    for (const EntrySection& section : spec.sections) {
        auto* title = new QLabel(section.titleLines.join(QLatin1Char('\n')), page);
        title->setWordWrap(true);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        layout->addWidget(title);
        for (const QStringList& row : section.rows) {
            QStringList hints;
            for (const QString& field : row)
                hints << hints_.value(field, field);
            const RowCaptions captions = GroupRowCaptions(hints);
            auto* grid = new QGridLayout;
            grid->setHorizontalSpacing(6);
            grid->setVerticalSpacing(1);
            for (const CaptionGroup& group : captions.groups) {
                auto* label = smallLabel(group.caption, page);
                label->setFrameShape(QFrame::Box);
                grid->addWidget(label, 0, group.firstColumn, 1, group.columnCount);
            }
            int columnWidth = kBoxWidth + kColumnGap;
            for (int c = 0; c < row.size(); ++c) {
                auto* caption = smallLabel(CaptionLines(captions.boxCaptions[c]), page);
                caption->setMinimumHeight(40);
                grid->addWidget(caption, 1, c);
                grid->addWidget(smallLabel(row[c], page), 2, c);
                auto* number = new TNumberEdit(page);
                number->setObjectName(row[c]);
                // Amounts the catalogue keeps as decimal numbers take their fractions.
                number->setDecimals(decimalFields_.contains(row[c]));
                number->setFixedWidth(std::max(kBoxWidth, number->widthForLargestValue()));
                columnWidth = std::max(columnWidth, number->width() + kColumnGap);
                grid->addWidget(number, 3, c, Qt::AlignHCenter);
                bindBox(number);
            }
            for (int c = 0; c < kColumns; ++c)
                grid->setColumnMinimumWidth(c, columnWidth);
            grid->setColumnStretch(kColumns, 1);
            layout->addLayout(grid);
        }
    }
    layout->addStretch();
    return page;
}

void TdlgSurveyDataForm::buildButtons() {
    auto* bar = new QHBoxLayout;
    struct Button {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Button buttons[] = {
        {"tbHold", "临时保存",
         "临时保存输入的数据|临时保存已经输入的数据，不检查数据的逻辑关系，保存后可继续编辑，"
         "临时保存的数据不能被导出或上报"},
        {"tbSave", "保存记录", "正式保存输入的数据|正式保存已经数据的数据，将检查数据的逻辑关系"},
        {"tbAdd", "保存记录",
         "正式保存输入的数据|正式保存已经数据的数据，将检查数据的逻辑关系，保存后会请空所有已经"
         "输入的数据，以便输入新的数据"},
        {"tbCheck", "检查逻辑", ""},
        {"tbPrint", "打  印", "打印当前的报表"},
        {"tbReturn", "返  回", ""},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        const QString hint = QString::fromUtf8(b.hint);
        button->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
        button->setStatusTip(hint.section(QLatin1Char('|'), 1));
        button->setFocusPolicy(Qt::NoFocus);
        buttons_.insert(button->objectName(), button);
        bar->addWidget(button);
    }
    buttons_.value(QStringLiteral("tbAdd"))->hide();
    buttons_.value(QStringLiteral("tbPrint"))->setEnabled(false);
    connect(buttons_.value(QStringLiteral("tbHold")), &QPushButton::clicked, this,
            [this] { editor_.tbHoldClick(); });
    for (const char* name : {"tbSave", "tbAdd"})
        connect(buttons_.value(QString::fromLatin1(name)), &QPushButton::clicked, this,
                [this] { editor_.tbSaveClick(SaveStart::Person); });
    connect(buttons_.value(QStringLiteral("tbCheck")), &QPushButton::clicked, this,
            [this] { editor_.tbCheckClick(); });
    connect(buttons_.value(QStringLiteral("tbPrint")), &QPushButton::clicked, this,
            [this] { editor_.tbPrintClick(); });
    connect(buttons_.value(QStringLiteral("tbReturn")), &QPushButton::clicked, this,
            &TdlgSurveyDataForm::tbReturnClick);
    bar->addStretch();
    itemNo_ = new QLabel(this);
    itemNo_->setObjectName(QStringLiteral("ItemNo"));
    bar->addWidget(itemNo_);
    navBar_ = new QToolBar(this);
    navBar_->setObjectName(QStringLiteral("NavBar"));
    struct Move {
        const char* name;
        const char* caption;
        RecordMove move;
    };
    const Move moves[] = {{"actFirst", "第一条", RecordMove::First},
                          {"actPrev", "上一条", RecordMove::Prior},
                          {"actNext", "下一条", RecordMove::Next},
                          {"actLast", "最后一条", RecordMove::Last}};
    for (const Move& m : moves) {
        QAction* a = navBar_->addAction(QString::fromUtf8(m.caption));
        a->setObjectName(QString::fromLatin1(m.name));
        const RecordMove where = m.move;
        connect(a, &QAction::triggered, this, [this, where] { editor_.Move(where); });
        nav_.insert(a->objectName(), a);
    }
    bar->addWidget(navBar_);
    static_cast<QVBoxLayout*>(layout())->addLayout(bar);
}

void TdlgSurveyDataForm::LoadNotes(const QString& name) {
    notes_->clear();
    notes_->setHtml(ReadNotesHtml(NotesFilePath(name)));
}

void TdlgSurveyDataForm::LoadCodeLists() {
    levels_ = shell::LoadCodeList(connection_, QStringLiteral("CT_LevelCode"));
    states_ = shell::LoadCodeList(connection_, QStringLiteral("ct_state"));
}

void TdlgSurveyDataForm::chooseCode(const QString& nameBox) {
    auto* edit = qobject_cast<QLineEdit*>(boxes_.value(nameBox));
    if (nameBox == QLatin1String("CityNameCtrl")) {
        openRegionPicker();
    } else if (nameBox == QLatin1String("LevelName")) {
        codeMenu_.ShowCodeMenu(edit, levels_, [this](void*, int code) {
            form_.holdCode(HeldCode::Level, code);
            MarkModified();
            ApplyLevelRules(code);
        });
    } else {
        codeMenu_.ShowCodeMenu(edit, states_, [this](void*, int code) {
            form_.holdCode(HeldCode::ReportingState, code);
            MarkModified();
            ApplyReportingState(code);
        });
    }
}

void TdlgSurveyDataForm::openRegionPicker() {
    auto* nameBox = boxes_.value(QStringLiteral("CityNameCtrl"));
    TCityNameForm picker(connection_, this);
    if (form_.heldCode(HeldCode::Region) > 0)
        picker.setCode(form_.heldCode(HeldCode::Region));
    if (picker.exec() != QDialog::Accepted)
        return;
    qobject_cast<TNumberEdit*>(boxes_.value(shell::kRegionField))->setValue(picker.code());
    holdCode(HeldCode::Region, nameBox->objectName(), picker.code());
    qobject_cast<QLineEdit*>(nameBox)->setText(picker.name());
    MarkModified();
}

void TdlgSurveyDataForm::refocus(QWidget* box) {
    // After the current focus change has settled.
    QMetaObject::invokeMethod(box, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
}

bool TdlgSurveyDataForm::c903Exit(bool byPerson) {
    auto* code = qobject_cast<TNumberEdit*>(boxes_.value(shell::kRegionField));
    auto* nameBox = qobject_cast<QLineEdit*>(boxes_.value(QStringLiteral("CityNameCtrl")));
    const int value = int(code->integerValue());
    const QString name = RegionName(connection_, value, ui_);
    if (!name.isEmpty()) {
        nameBox->setText(name);
        holdCode(HeldCode::Region, nameBox->objectName(), value);
        return true;
    }
    if (byPerson)
        ui_.showMessage(kRegionNotFound, shell::MessageKind::Warning);
    refocus(code);
    return false;
}

bool TdlgSurveyDataForm::codeBoxExit(HeldCode held, const QString& codeBox, const QString& nameBox,
                                     const shell::TMenuItemDataArray& codes, const QString& unknown,
                                     void (TdlgSurveyDataForm::*apply)(int), bool byPerson) {
    auto* names = qobject_cast<QLineEdit*>(boxes_.value(nameBox));
    const int value = int(qobject_cast<TNumberEdit*>(boxes_.value(codeBox))->integerValue());
    const QString name = shell::CodeToName(codes, value);
    if (!name.isEmpty()) {
        names->setText(name.trimmed());
        holdCode(held, nameBox, value);
        (this->*apply)(value);
        return true;
    }
    if (byPerson)
        ui_.showMessage(unknown, shell::MessageKind::Warning);
    refocus(boxes_.value(codeBox));
    return false;
}

bool TdlgSurveyDataForm::c904Exit(bool byPerson) {
    return codeBoxExit(HeldCode::Level, shell::kLevelField, QStringLiteral("LevelName"), levels_,
                       kLevelNotFound, &TdlgSurveyDataForm::ApplyLevelRules, byPerson);
}

bool TdlgSurveyDataForm::c907Exit(bool byPerson) {
    return codeBoxExit(HeldCode::ReportingState, shell::kReportingStateField,
                       QStringLiteral("StateName"), states_, kStateNotFound,
                       &TdlgSurveyDataForm::ApplyReportingState, byPerson);
}

bool TdlgSurveyDataForm::ValidateCover(bool adding, double storedCode) {
    const auto text = [this](const QString& name) {
        return qobject_cast<QLineEdit*>(boxes_.value(name))->text();
    };
    CoverValues cover;
    cover.unitCode = text(shell::kUnitCodeField);
    cover.unitName = text(shell::kUnitNameField);
    cover.regionCode =
        int(qobject_cast<TNumberEdit*>(boxes_.value(shell::kRegionField))->integerValue());
    cover.levelCode = levelCode();
    cover.stateCode = stateCode();
    cover.filler = text(shell::kFillerField);
    cover.phone = text(shell::kPhoneField);
    cover.adding = adding;
    cover.storedCode = storedCode;
    const std::optional<CoverFailure> failure =
        entry::ValidateCover(cover, {connection_, ui_, levels_, states_});
    if (!failure)
        return true;
    ui_.showMessage(failure->message, shell::MessageKind::Warning);
    if (form_.coverCheckFailed(*failure)) {
        showSaves();
        turnToPage(0);
    }
    if (QWidget* box = boxes_.value(failure->focusField))
        box->setFocus();
    return false;
}

void TdlgSurveyDataForm::EditBoxEnter(QWidget* box) {
    static const QStringList textBoxes = {shell::kUnitNameField, shell::kFillerField,
                                          shell::kPhoneField};
    if (!textBoxes.contains(box->objectName()))
        return;
    // The platform's input-method framework picks the engine itself; the
    // request opens whatever input method it offers.
    lastInputMethodRequest_ = preferredInputMethod_;
    QGuiApplication::inputMethod()->show();
}

void TdlgSurveyDataForm::checkLeftBox(QWidget* box) {
    const QString name = box->objectName();
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit || !loaded_)
        return;
    QString message;
    if (name == shell::kUnitCodeField)
        message = UnitCodeExitMessage(edit->text());
    else if (name == shell::kUnitNameField)
        message = UnitNameExitMessage(edit->text());
    else if (name == shell::kFillerField)
        message = FillerExitMessage(edit->text());
    else if (name == shell::kPhoneField)
        message = PhoneExitMessage(edit->text());
    else if (name == shell::kRegionField)
        c903Exit(true);
    else if (name == shell::kLevelField)
        c904Exit(true);
    else if (name == shell::kReportingStateField)
        c907Exit(true);
    if (!message.isEmpty()) {
        ui_.showMessage(message, shell::MessageKind::Warning);
        refocus(box);
    }
}

bool TdlgSurveyDataForm::filterCoverKey(QWidget* box, QKeyEvent* key) {
    // Only typed characters; Enter, Backspace and the like keep their work.
    if (key->text().isEmpty() || !key->text().at(0).isPrint() ||
        key->modifiers().testFlag(Qt::ControlModifier))
        return false;
    const QChar typed = key->text().at(0);
    if (box->objectName() == shell::kFillerField)
        return FillerBoxSwallowsCharacter(typed);
    if (box->objectName() == shell::kPhoneField)
        return !PhoneBoxAcceptsCharacter(typed);
    return false;
}

void TdlgSurveyDataForm::replaceShownZero(QWidget* box, QKeyEvent* key) {
    // The region code shows its 0 even while it is typed into; the first
    // digit typed replaces that 0 rather than following it.
    if (box->objectName() != shell::kRegionField || key->text().isEmpty() ||
        !key->text().at(0).isDigit())
        return;
    auto* edit = static_cast<QLineEdit*>(box);
    if (edit->text() == QLatin1String("0"))
        edit->clear();
}

void TdlgSurveyDataForm::bindBox(QWidget* box) {
    boxes_.insert(box->objectName(), box);
    box->installEventFilter(this);
    if (auto* number = qobject_cast<TNumberEdit*>(box))
        connect(number, &TNumberEdit::valueChanged, this, [this, box] { takeBoxValue(box); });
    else if (auto* edit = qobject_cast<QLineEdit*>(box))
        connect(edit, &QLineEdit::textChanged, this, [this, box] { takeBoxValue(box); });
    // A person's typing (not the program's) modifies the record.
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        connect(edit, &QLineEdit::textEdited, this, [this] { MarkModified(); });
}

void TdlgSurveyDataForm::takeBoxValue(QWidget* box) {
    if (showing_ || !form_.values().holds(box->objectName()))
        return;
    if (auto* number = qobject_cast<TNumberEdit*>(box))
        // What the person typed counts from the first key; a value nobody
        // touched goes back unchanged, nothing stays nothing.
        form_.values().set(box->objectName(), number->valueToStore());
    else if (auto* edit = qobject_cast<QLineEdit*>(box))
        form_.values().set(box->objectName(), edit->text());
}

QWidget* TdlgSurveyDataForm::box(const QString& fieldName) const {
    return boxes_.value(fieldName);
}
QPushButton* TdlgSurveyDataForm::button(const QString& name) const {
    return buttons_.value(name);
}
QAction* TdlgSurveyDataForm::navAction(const QString& name) const {
    return nav_.value(name);
}

void TdlgSurveyDataForm::MarkModified() {
    form_.markModified();
    showSaves();
    buttons_.value(QStringLiteral("tbPrint"))->setEnabled(false);
}

void TdlgSurveyDataForm::holdCode(HeldCode which, const QString& nameBox, int code) {
    form_.holdCode(which, code);
    shell::SetHeldCode(boxes_.value(nameBox), code);
}

void TdlgSurveyDataForm::applyCatalogueLimits() {
    for (const shell::TFieldData& f : catalogue_) {
        auto* number = qobject_cast<TNumberEdit*>(boxes_.value(f.FieldName));
        if (!number)
            continue;
        if (const auto limits = CatalogueLimits(f.ID, f.QueryType))
            number->setLimits(*limits);
    }
}

void TdlgSurveyDataForm::showValues() {
    const RecordValues& values = form_.values();
    showing_ = true;
    for (auto it = boxes_.constBegin(); it != boxes_.constEnd(); ++it) {
        const QString& field = it.key();
        if (!values.holds(field))
            continue;
        if (auto* number = qobject_cast<TNumberEdit*>(it.value())) {
            // Exactly as held: a value the box would not take is shown
            // flagged, never rounded or clamped.
            number->setStoredValue(values.value(field));
        } else if (auto* edit = qobject_cast<QLineEdit*>(it.value())) {
            const QString text = values.text(field);
            if (edit->text() != text)
                edit->setText(text);
        }
        it.value()->setEnabled(form_.boxOpen(field));
    }
    showing_ = false;
}

void TdlgSurveyDataForm::ApplyLevelRules(int level) {
    form_.applyLevelRules(level);
    showValues();
}

void TdlgSurveyDataForm::ApplyReportingState(int state) {
    const bool answering = form_.applyReportingState(state);
    if (!answering)
        editor_.ClearLogicErrors();
    showSaves();
    if (answering)
        form_.applyLevelRules(levelCode());
    showValues();
}

QList<QWidget*> TdlgSurveyDataForm::tabStops(int page) const {
    QList<QWidget*> stops;
    if (page == 0) {
        for (const QString& name : kCoverOrder)
            stops << boxes_.value(name);
        return stops;
    }
    for (const QString& field : EntryPages()[size_t(page)].fields())
        if (QWidget* w = boxes_.value(field))
            stops << w;
    return stops;
}

void TdlgSurveyDataForm::FocusFirstField() {
    for (QWidget* w : tabStops(pages_->currentIndex())) {
        if (w->isEnabled()) {
            w->setFocus();
            return;
        }
    }
}

void TdlgSurveyDataForm::FocusNextField(QWidget* from) {
    const QList<QWidget*> stops = tabStops(pages_->currentIndex());
    for (qsizetype i = stops.indexOf(from) + 1; i < stops.size(); ++i) {
        if (stops[i]->isEnabled()) {
            stops[i]->setFocus();
            return;
        }
    }
    if (pages_->currentIndex() == pages_->count() - 1) {
        Q_EMIT formalSaveRequested();
        return;
    }
    if (turnToPage(pages_->currentIndex() + 1))
        FocusFirstField();
}

void TdlgSurveyDataForm::FocusPriorField(QWidget* from) {
    const QList<QWidget*> stops = tabStops(pages_->currentIndex());
    for (qsizetype i = stops.indexOf(from) - 1; i >= 0; --i) {
        if (stops[i]->isEnabled()) {
            stops[i]->setFocus();
            return;
        }
    }
    const int previous =
        pages_->currentIndex() == 0 ? pages_->count() - 1 : pages_->currentIndex() - 1;
    if (!turnToPage(previous))
        return;
    const QList<QWidget*> before = tabStops(previous);
    for (qsizetype i = before.size() - 1; i >= 0; --i) {
        if (before[i]->isEnabled()) {
            before[i]->setFocus();
            return;
        }
    }
}

bool TdlgSurveyDataForm::eventFilter(QObject* watched, QEvent* event) {
    if (filterPageKeys(watched, event))
        return true;
    if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
        EditBoxEnter(static_cast<QWidget*>(watched));
        showBox(static_cast<QWidget*>(watched));
    }
    if (event->type() == QEvent::FocusOut && watched->isWidgetType()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A person left the box (not a pop-up or another window taking focus).
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::OtherFocusReason)
            checkLeftBox(static_cast<QWidget*>(watched));
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        replaceShownZero(widget, static_cast<QKeyEvent*>(event));
        if (filterCoverKey(widget, static_cast<QKeyEvent*>(event)))
            return true;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            FocusNextField(widget);
            return true;
        case Qt::Key_Up:
            FocusPriorField(widget);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrune::entry
