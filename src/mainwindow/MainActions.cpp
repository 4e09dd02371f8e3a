#include "MainActions.h"

#include <Qt>
#include <stdexcept>

namespace kestrune::mainwindow {

const std::vector<ActionInfo>& MainActions() {
    using enum ActionId;
    const QString data = QStringLiteral("DataProcess");
    const QString setup = QStringLiteral("SysSetup");
    const QString search = QStringLiteral("Search");
    static const std::vector<ActionInfo> actions = {
        {AddNew, "actAddNew", "添加新记录", data, EnabledRule::Always},
        {Modify, "actModify", "修改选中的记录", data, EnabledRule::ListNotEmpty},
        {Delete, "actDelete", "删除记录", data, EnabledRule::ListNotEmpty},
        {Check, "actCheck", "检查数据的逻辑", data, EnabledRule::Always},
        {CheckSelected, "actCheckSelected", "检查选中数据的逻辑", data, EnabledRule::Always},
        {ConditionSearch, "actConditionSearch", "指标查询", data, EnabledRule::Always},
        {Sum, "actSum", "数据汇总", data, EnabledRule::Always},
        {Group, "actGroup", "数据分组", data, EnabledRule::Always},
        {SaveList, "actSaveList", "导出数据列表", data, EnabledRule::Always},
        {Print, "actPrint", "打印选中记录的年报表", data, EnabledRule::ListNotEmpty},
        {FastImport, "actFastImport", "数据导入", data, EnabledRule::Always},
        {Backup, "actBackup", "数据备份", data, EnabledRule::Always},
        {Export, "actExport", "数据上报", data, EnabledRule::Always},
        {Compress, "actCompress", "压缩数据库文件", setup, EnabledRule::Always},
        {Options, "actOptions", "参数设置", setup, EnabledRule::Always},
        {RecordGrid, "actRecordGrid", "自定义列表显示", data, EnabledRule::ListVisible},
        {Locate, "actLocate", "按条件查找定位数据", search, EnabledRule::ListNotEmpty},
        {Search, "actSearch", "按编号范围查找数据", search, EnabledRule::ListNotEmpty},
        {About, "actAbout", "关于", QString(), EnabledRule::Always},
    };
    return actions;
}

const ActionInfo& ActionInfoOf(ActionId id) {
    for (const ActionInfo& info : MainActions()) {
        if (info.id == id)
            return info;
    }
    throw std::logic_error("unknown action");
}

bool ActionEnabled(ActionId id, const MainWindowState& state) {
    switch (ActionInfoOf(id).enabled) {
    case EnabledRule::Always:
        return true;
    case EnabledRule::ListNotEmpty:
        return state.listNotEmpty;
    case EnabledRule::ListVisible:
        return state.listVisible;
    }
    return true;
}

namespace {

MenuEntry action(ActionId id, const QString& caption = {}) {
    return {MenuEntry::Kind::Action, id, caption, {}};
}
MenuEntry separator() {
    return {MenuEntry::Kind::Separator, ActionId::About, {}, {}};
}
MenuEntry item(const QString& caption, const QString& name) {
    return {MenuEntry::Kind::Item, ActionId::About, caption, name};
}

} // namespace

const std::vector<MenuGroup>& GroupBarGroups() {
    using enum ActionId;
    static const std::vector<MenuGroup> groups = {
        {"数据操作",
         {action(AddNew), action(Modify), action(Delete), action(Check), action(ConditionSearch),
          action(Sum), action(Group), action(SaveList), action(Print)}},
        {"备份与上报",
         {action(FastImport), action(Backup), action(Export, "上报到离线版"),
          item("上报到网络版", kOnlineExportItem)}},
        {"系统工具", {action(Compress), action(Options), action(RecordGrid)}},
    };
    return groups;
}

const std::vector<MenuGroup>& MainMenus() {
    using enum ActionId;
    static const std::vector<MenuGroup> menus = {
        {"数据记录", {action(AddNew), action(Modify), action(Delete), action(Print)}},
        {"查找", {action(Locate), action(Search)}},
        {"逻辑检查", {action(CheckSelected), action(Check)}},
        {"数据处理", {action(Group), action(Sum)}},
        {"工具", {action(Options), action(Compress), action(RecordGrid)}},
        {"关于", {action(About)}},
        {"退出", {item("退出", kExitItem)}},
    };
    return menus;
}

const std::vector<MenuEntry>& RecordListPopup() {
    using enum ActionId;
    static const std::vector<MenuEntry> entries = {
        action(AddNew), action(Modify),     action(Delete), separator(),
        action(Locate), action(Search),     separator(),    action(CheckSelected),
        separator(),    action(RecordGrid), action(Print),
    };
    return entries;
}

QString EntryCaption(const MenuEntry& entry) {
    if (!entry.caption.isEmpty() || entry.kind != MenuEntry::Kind::Action)
        return entry.caption;
    return ActionInfoOf(entry.action).caption;
}

ListKeyCommand ListKeyCommandFor(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ListKeyCommand::Modify;
    case Qt::Key_Insert:
        return ListKeyCommand::AddNew;
    case Qt::Key_Delete:
        return ListKeyCommand::OpenDeleteDialog;
    default:
        return ListKeyCommand::None;
    }
}

std::optional<ActionId> MainShortcutFor(int key, bool control, const MainWindowState& state) {
    if (!control || !ActionEnabled(ActionId::Locate, state))
        return std::nullopt;
    if (key == Qt::Key_L)
        return ActionId::Locate;
    if (key == Qt::Key_F)
        return ActionId::ConditionSearch;
    return std::nullopt;
}

const QStringList& StartupWindowOrder() {
    static const QStringList order = {
        "TMainForm",           "TdlgSurveyDataForm", "TMessageListWinForm",   "TProgressBarForm",
        "TQuestionDlg",        "TToolForm",          "TProgressBar2LineForm", "TdlgCheckForm",
        "TdlgSumForm",         "TdlgQueryListForm",  "TdlgLocateForm",        "TdlgAboutForm",
        "TDataSearchCodeForm", "TdlgSaveListForm",   "TdlgDataSearchForm",    "TdlgSearchForm",
    };
    return order;
}

} // namespace kestrune::mainwindow
