#pragma once

#include "shell/RecordList.h"

#include <QDialog>

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

    // Opens the result for a condition ("where ..."); throws EngineError.
    void setCondition(const QString& condition);
    QString listStatement() const;
    QString detailStatement() const;

    RecordList& results() { return results_; }
    TRecordGrid* grid() const { return grid_; }
    QLabel* countLabel() const { return count_; }
    QPushButton* editButton() const { return edit_; }
    QToolButton* exportButton() const { return export_; }
    void deleteSelected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCount();

    SurveyDatabase& database_;
    UserInteraction& ui_;
    QString condition_;
    RecordList results_;
    TRecordGrid* grid_;
    QLabel* count_;
    QPushButton* edit_;
    QToolButton* export_;
};

} // namespace kestrune::shell
