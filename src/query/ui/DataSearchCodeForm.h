#pragma once

#include "query/IndicatorChoice.h"

#include <QDialog>

class QTableWidget;

namespace kestrune::db {
class Connection;
}

namespace kestrune::query {

// "选择指标": the survey sheets at the left, the indicators of the selected
// sheet at the right; "确认" or a double click chooses, "取消" or Esc does not.
class TDataSearchCodeForm : public QDialog {
    Q_OBJECT
public:
    // Reads the sheets; throws EngineError.
    TDataSearchCodeForm(db::Connection& connection, QWidget* parent = nullptr);

    QTableWidget* sheetGrid() const { return sheets_; }
    QTableWidget* indicatorGrid() const { return indicators_; }
    int selectedSheet() const { return selectedSheet_; }
    // The indicator chosen, once the dialog ended with OK.
    const QString& chosen() const { return chosen_; }

    // Makes the sheet in this row the selected one and lists its indicators.
    void selectSheetRow(int row);
    // "确认": the indicator grid's current row is chosen.
    void okClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadIndicators();

    db::Connection& connection_;
    std::vector<SurveySheet> sheetList_;
    int selectedSheet_ = 0;
    QString chosen_;
    QTableWidget* sheets_;
    QTableWidget* indicators_;
};

} // namespace kestrune::query
