#include "MainForm.h"

#include "entry/ui/SurveyDataForm.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/PrintCommands.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/ProductVersion.h"
#include "shell/RecordColumns.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/UserInteraction.h"
#include "shell/ui/AboutForm.h"
#include "shell/ui/ProgressBarForm.h"
#include "shell/ui/QtInteraction.h"
#include "shell/ui/RecordGrid.h"
#include "shell/ui/ToolForm.h"

#include <QAction>
#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBox>

namespace kestrune::mainwindow {

using namespace shell;

namespace {

QString clockText() {
    return QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日"));
}

QPixmap backgroundPicture() {
    QPixmap picture(1200, 800);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, 800);
    gradient.setColorAt(0, QColor(222, 232, 246));
    gradient.setColorAt(1, QColor(168, 192, 226));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QColor(255, 255, 255, 180));
    QFont font = painter.font();
    font.setPointSize(48);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Kestrune"));
    return picture;
}

QStyle::StandardPixmap iconFor(ActionId id) {
    switch (id) {
    case ActionId::AddNew:
        return QStyle::SP_FileDialogNewFolder;
    case ActionId::Modify:
        return QStyle::SP_FileDialogDetailedView;
    case ActionId::Delete:
        return QStyle::SP_TrashIcon;
    case ActionId::Check:
    case ActionId::CheckSelected:
        return QStyle::SP_DialogApplyButton;
    case ActionId::ConditionSearch:
    case ActionId::Locate:
    case ActionId::Search:
        return QStyle::SP_FileDialogContentsView;
    case ActionId::Sum:
    case ActionId::Group:
        return QStyle::SP_FileDialogListView;
    case ActionId::SaveList:
    case ActionId::Backup:
        return QStyle::SP_DialogSaveButton;
    case ActionId::Print:
        return QStyle::SP_FileIcon;
    case ActionId::FastImport:
        return QStyle::SP_ArrowDown;
    case ActionId::Export:
        return QStyle::SP_ArrowUp;
    case ActionId::Compress:
        return QStyle::SP_DriveHDIcon;
    case ActionId::Options:
    case ActionId::RecordGrid:
        return QStyle::SP_FileDialogInfoView;
    case ActionId::About:
        return QStyle::SP_MessageBoxInformation;
    }
    return QStyle::SP_FileIcon;
}

} // namespace

TMainForm::TMainForm(Session& session, UserInteraction& ui, QWidget* parent)
    : QMainWindow(parent), session_(session), ui_(ui), recordList_(session.database.connection()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(session_.caption);
    resize(1200, 800);
    createActions();
    createMenus();
    createGroupBar();
    createListArea();
    createStatusBar();

    // The list is shown when "ShowGrid" reads 1; start-up always writes 1.
    WriteRegInteger(QStringLiteral("ShowGrid"), 1, RegistryRoot::LocalMachine, kProductKey);
    listVisible_ =
        ReadRegInteger(QStringLiteral("ShowGrid"), 1, RegistryRoot::LocalMachine, kProductKey) == 1;
    openRecordList();
    versionPane_->setText(VersionPaneText(ProgramVersion().buildNumber));
    updateActions();
}

TMainForm::~TMainForm() {
    // The entry dialog goes before the record editor it works on.
    delete entryForm_;
}

void TMainForm::createActions() {
    for (const ActionInfo& info : MainActions()) {
        auto* a = new QAction(style()->standardIcon(iconFor(info.id)), info.caption, this);
        a->setObjectName(info.name);
        a->setProperty("category", info.category);
        const ActionId id = info.id;
        connect(a, &QAction::triggered, this, [this, id] { runAction(id); });
        actions_[id] = a;
    }
    // Ctrl+L and Ctrl+F work anywhere in the window while actLocate is enabled.
    for (const int key : {int(Qt::Key_L), int(Qt::Key_F)}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(key)), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] {
            if (const auto id = MainShortcutFor(key, true, state()))
                runAction(*id);
        });
    }
}

void TMainForm::createMenus() {
    for (const MenuGroup& group : MainMenus()) {
        // "关于" and "退出" stand in the menu bar as items of their own.
        if (group.entries.size() == 1 && group.caption == EntryCaption(group.entries.front())) {
            const MenuEntry& entry = group.entries.front();
            if (entry.kind == MenuEntry::Kind::Action) {
                // A bar item of its own shows its caption, not the action's icon.
                QAction* item = menuBar()->addAction(group.caption);
                item->setObjectName(QStringLiteral("mnu") + ActionInfoOf(entry.action).name);
                const ActionId id = entry.action;
                connect(item, &QAction::triggered, this, [this, id] { action(id)->trigger(); });
            } else {
                QAction* exit = menuBar()->addAction(group.caption);
                exit->setObjectName(QStringLiteral("mnuExit"));
                connect(exit, &QAction::triggered, this, &QWidget::close);
            }
            continue;
        }
        QMenu* menu = menuBar()->addMenu(group.caption);
        for (const MenuEntry& entry : group.entries)
            menu->addAction(action(entry.action));
    }
    popup_ = new QMenu(this);
    for (const MenuEntry& entry : RecordListPopup()) {
        if (entry.kind == MenuEntry::Kind::Separator)
            popup_->addSeparator();
        else
            popup_->addAction(action(entry.action));
    }
}

void TMainForm::createGroupBar() {
    groupBar_ = new QToolBox(this);
    groupBar_->setObjectName(QStringLiteral("GroupBar"));
    for (const MenuGroup& group : GroupBarGroups()) {
        auto* items = new QListWidget(groupBar_);
        items->setViewMode(QListView::IconMode);
        items->setIconSize(QSize(32, 32));
        items->setFlow(QListView::TopToBottom);
        items->setMovement(QListView::Static);
        items->setWrapping(false);
        items->setSpacing(6);
        items->setGridSize(QSize(160, 64));
        items->setWordWrap(true);
        items->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        for (const MenuEntry& entry : group.entries) {
            auto* item = new QListWidgetItem(EntryCaption(entry), items);
            if (entry.kind == MenuEntry::Kind::Action) {
                item->setIcon(action(entry.action)->icon());
                item->setData(Qt::UserRole, int(entry.action));
            } else {
                item->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
                item->setData(Qt::UserRole + 1, entry.itemName);
            }
        }
        connect(items, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            if (item->data(Qt::UserRole).isValid()) {
                QAction* a = action(ActionId(item->data(Qt::UserRole).toInt()));
                if (a->isEnabled())
                    a->trigger();
            } else {
                MainCommands().runItem(item->data(Qt::UserRole + 1).toString(), *this);
            }
        });
        groupBar_->addItem(items, group.caption);
    }
    groupBar_->setCurrentIndex(0);
    groupBar_->setMinimumWidth(176);
}

void TMainForm::createListArea() {
    grid_ = new TRecordGrid(recordList_, this);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->installEventFilter(this);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(grid_->viewport()->mapToGlobal(at)); });
    connect(grid_, &QAbstractItemView::doubleClicked, this,
            [this] { action(ActionId::Modify)->trigger(); });
    connect(grid_, &TRecordGrid::listChanged, this, &TMainForm::updateActions);

    background_ = new QLabel(this);
    background_->setPixmap(backgroundPicture());
    background_->setScaledContents(true);
    // The picture is scaled to whatever room there is: it must not make the
    // window larger than a small screen (its own size would be its minimum).
    background_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    background_->setMinimumSize(1, 1);

    listArea_ = new QStackedWidget(this);
    listArea_->addWidget(background_);
    listArea_->addWidget(grid_);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(groupBar_);
    splitter->addWidget(listArea_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 1000});
    setCentralWidget(splitter);
}

void TMainForm::createStatusBar() {
    versionPane_ = new QLabel(this);
    clockPane_ = new QLabel(clockText(), this);
    statusBar()->addWidget(versionPane_, 1);
    statusBar()->addPermanentWidget(clockPane_);
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, [this] { clockPane_->setText(clockText()); });
    clock->start(1000);
}

void TMainForm::openRecordList() {
    try {
        BuildRecordColumns();
        if (listVisible_)
            recordList_.open();
        else
            recordList_.close();
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
    }
    listArea_->setCurrentWidget(listVisible_ ? static_cast<QWidget*>(grid_) : background_);
    grid_->showList();
}

void TMainForm::BuildRecordColumns() {
    grid_->BuildRecordColumns(ReadFieldCatalogue(session_.database.connection()));
}

QAction* TMainForm::action(ActionId id) const {
    return actions_.at(id);
}

QAction* TMainForm::actionByName(const QString& name) const {
    for (const auto& [id, a] : actions_) {
        if (a->objectName() == name)
            return a;
    }
    return nullptr;
}

MainWindowState TMainForm::state() const {
    return {listVisible_ && !recordList_.isEmpty(), listVisible_};
}

void TMainForm::updateActions() {
    const MainWindowState now = state();
    for (const auto& [id, a] : actions_)
        a->setEnabled(ActionEnabled(id, now));
}

void TMainForm::refreshList() {
    grid_->takeCurrentRow();
    try {
        recordList_.requeryAndReturn();
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
    }
    grid_->showList();
}

void TMainForm::runAction(ActionId id) {
    if (!ActionEnabled(id, state()))
        return;
    grid_->takeCurrentRow();
    MainCommands().run(id, *this);
}

TToolForm& TMainForm::toolForm() {
    if (!toolForm_)
        createLongLivedWindows();
    return *toolForm_;
}

bool TMainForm::createEntryForm() {
    if (entryForm_)
        return true;
    try {
        db::Connection& connection = session_.database.connection();
        entryEditor_ =
            std::make_unique<entry::RecordEditor>(connection, ui_, ReadFieldCatalogue(connection));
        entryEditor_->setPrinter(AnnualReportPrinter(*this));
        entryForm_ =
            new entry::TdlgSurveyDataForm(*entryEditor_, connection, ui_, *toolForm_, this);
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
        return false;
    }
    return true;
}

bool TMainForm::showRecordEditor(shell::RecordList& list, bool adding) {
    if (!toolForm_)
        createLongLivedWindows();
    if (!createEntryForm())
        return false;
    entry::RecordEditor& editor = entryForm_->editor();
    editor.setAdding(adding);
    if (!adding)
        editor.setPrintCode(*list.currentCode());
    editor.SetRecordList(&list);
    entryForm_->exec();
    // The editor goes back to the main list: another list may not outlive it.
    editor.SetRecordList(&recordList_);
    return true;
}

void TMainForm::editRecordsOf(shell::RecordList& list) {
    if (list.isEmpty() || !showRecordEditor(list, false))
        return;
    try {
        list.requeryAndReturn();
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
    }
}

void TMainForm::openRecordEditor(bool adding) {
    grid_->takeCurrentRow();
    if (!adding && recordList_.isEmpty())
        return;
    const std::optional<double> bookmark = recordList_.currentCode();
    if (!showRecordEditor(recordList_, adding))
        return;
    try {
        // Added records leave the list where it was; editing leaves it on
        // the record the dialog showed last.
        if (adding)
            recordList_.requeryAndGoTo(bookmark);
        else
            recordList_.requeryAndReturn();
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
    }
    grid_->showList();
    updateActions();
}

QList<double> TMainForm::selectedCodes() {
    grid_->takeCurrentRow();
    QList<double> codes;
    if (recordList_.isEmpty())
        return codes;
    for (int row : grid_->selectedRowsInOrder())
        codes << recordList_.codeAt(row);
    if (codes.isEmpty() && recordList_.currentCode())
        codes << *recordList_.currentCode();
    return codes;
}

void TMainForm::showSplash() {
    TdlgAboutForm splash(ProgramVersion().buildNumber, true, this);
    splash.setWindowModality(Qt::ApplicationModal);
    splash.exec();
}

void TMainForm::createLongLivedWindows() {
    progressForm_ = new TProgressBarForm(this);
    if (auto* qt = dynamic_cast<QtInteraction*>(&ui_))
        qt->setProgressForm(progressForm_);
    toolForm_ = new TToolForm(this);
    progress2Form_ = new TProgressBar2LineForm(this);
    createEntryForm();
}

QStringList TMainForm::longLivedWindowNames() const {
    QStringList names;
    for (const QString& name : StartupWindowOrder()) {
        const bool exists = (name == QLatin1String("TdlgSurveyDataForm") && entryForm_) ||
                            (name == QLatin1String("TMessageListWinForm") && entryForm_) ||
                            (name == QLatin1String("TProgressBarForm") && progressForm_) ||
                            (name == QLatin1String("TToolForm") && toolForm_) ||
                            (name == QLatin1String("TProgressBar2LineForm") && progress2Form_);
        if (exists)
            names << name;
    }
    return names;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        listKeys_.pressed(key->key(), key->isAutoRepeat());
    }
    if (watched == grid_ && event->type() == QEvent::FocusOut)
        listKeys_.forget();
    if (watched == grid_ && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!listKeys_.released(key->key(), key->isAutoRepeat()))
            return QMainWindow::eventFilter(watched, event);
        switch (ListKeyCommandFor(key->key())) {
        case ListKeyCommand::Modify:
            action(ActionId::Modify)->trigger();
            return true;
        case ListKeyCommand::AddNew:
            action(ActionId::AddNew)->trigger();
            return true;
        case ListKeyCommand::OpenDeleteDialog:
            // The delete dialog opens even while actDelete is disabled.
            MainCommands().run(ActionId::Delete, *this);
            return true;
        case ListKeyCommand::None:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kestrune::mainwindow
