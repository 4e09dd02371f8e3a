#pragma once

#include "shell/ListKeyRelease.h"
#include "shell/QueryResults.h"
#include "shell/RecordList.h"

#include <QDialog>
#include <functional>

class QAction;
class QLabel;
class QPushButton;
class QToolButton;

namespace kestrune::shell {

class SurveyDatabase;
class TRecordGrid;
class UserInteraction;

// "查询结果列表": the records a search found, with their count; they can be
// sorted, deleted, opened and exported.
class TdlgQueryListForm : public QDialog {
    Q_OBJECT
public:
    TdlgQueryListForm(SurveyDatabase& database, UserInteraction& ui, QWidget* parent = nullptr);

    // Opens the result for a condition ("where ...", a "?" for each of
    // `values`); throws EngineError.
    void setCondition(const QString& condition, const QVariantList& values = {});
    QString listStatement() const;
    QString detailStatement() const;
    ExportQuery listQuery() const;
    ExportQuery detailQuery() const;

    // What opens the entry dialog over the results, moving through them; the
    // window that owns the entry dialog hands it over. Without it, editing
    // does nothing.
    using RecordEditing = std::function<void(RecordList& results)>;
    void setRecordEditing(RecordEditing editing) { editing_ = std::move(editing); }

    RecordList& results() { return results_; }
    TRecordGrid* grid() const { return grid_; }
    QLabel* countLabel() const { return count_; }
    QPushButton* editButton() const { return edit_; }
    QToolButton* exportButton() const { return export_; }
    QAction* accessExportAction() const { return accessExport_; }
    QAction* excelExportAction() const { return excelExport_; }

    // "修改数据信息", a double click, Enter: the current result in the entry dialog.
    void tbEditClick();
    // "删除数据信息", Delete: the selected results deleted from dt_data.
    void deleteSelected();
    // "导出详细数据为Access文件": every stored column of the results.
    void exportDetailAsAccess();
    // "导出结果列表为Excel文件": the list as the grid shows it.
    void exportListAsExcel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCount();

    SurveyDatabase& database_;
    UserInteraction& ui_;
    ResultCondition condition_;
    RecordList results_;
    RecordEditing editing_;
    ListKeyRelease keys_;
    TRecordGrid* grid_;
    QLabel* count_;
    QPushButton* edit_;
    QToolButton* export_;
    QAction* accessExport_;
    QAction* excelExport_;
};

} // namespace kestrune::shell
